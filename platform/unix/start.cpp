// Runs before main: keeps the argument vector and sets the signal
// dispositions that make output failures visible as failed writes.
#include "platform/unix/start.h"

#include <signal.h>

namespace tikvan::posix {

namespace {

ArgumentVector arguments{};

// glibc passes the program's arguments to the functions of .init_array.
// A pipe without a reader and a file at its size limit end a write with an
// error instead of ending the process.
void Start(int count, char** words, char** /*environment*/) {
    arguments = {count, words};
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, nullptr);
    sigaction(SIGXFSZ, &ignore, nullptr);
}

[[gnu::section(".init_array"), gnu::used]] void (*const start)(int, char**, char**) = &Start;

}  // namespace

ArgumentVector StartArguments() { return arguments; }

}  // namespace tikvan::posix
