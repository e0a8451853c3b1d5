// Preloaded into the program by the tests: every write to standard output
// succeeds and writes nothing.
#include <sys/syscall.h>
#include <unistd.h>

ssize_t write(int descriptor, const void* bytes, size_t count) {
    if (descriptor == STDOUT_FILENO) return 0;
    return syscall(SYS_write, descriptor, bytes, count);
}
