// Standard handles, writing, the last error code and the end of the process.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "platform/win32.h"

namespace {

// Set by a failed write, the only thing read after one.
DWORD lastError;

int Descriptor(HANDLE handle) { return static_cast<int>(reinterpret_cast<std::intptr_t>(handle)); }

// The Win32 code that Wine reports for the same failure. A file at its size
// limit counts as a full disk. Anything without a closer match is
// ERROR_GEN_FAILURE, Windows' code for an unclassified device failure.
DWORD Win32Error(int error) {
    switch (error) {
        case ENOSPC:
        case EFBIG: return ERROR_DISK_FULL;
        case EPIPE: return ERROR_PIPE_NOT_CONNECTED;
        case EBADF: return ERROR_INVALID_HANDLE;
        case EACCES:
        case EPERM: return ERROR_ACCESS_DENIED;
        default: return ERROR_GEN_FAILURE;
    }
}

}  // namespace

// The handle is the descriptor: 1 for output, 2 for error output. A closed
// descriptor has none.
HANDLE GetStdHandle(DWORD which) {
    const int descriptor = which == STD_ERROR_HANDLE ? 2 : 1;
    if (fcntl(descriptor, F_GETFD) == -1) return INVALID_HANDLE_VALUE;
    return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(descriptor));
}

// A directory or a block device is a disk object, as Windows types their
// handles; writing to a directory then fails as it does there.
DWORD GetFileType(HANDLE file) {
    struct stat status {};
    if (fstat(Descriptor(file), &status) != 0) return FILE_TYPE_UNKNOWN;
    if (S_ISCHR(status.st_mode)) return FILE_TYPE_CHAR;
    if (S_ISREG(status.st_mode) || S_ISDIR(status.st_mode) || S_ISBLK(status.st_mode)) return FILE_TYPE_DISK;
    if (S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode)) return FILE_TYPE_PIPE;
    return FILE_TYPE_UNKNOWN;
}

// One write(2), retried when a signal interrupts it. A short write is
// reported as such through `written`, which a failed write leaves as it is.
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD written, LPOVERLAPPED /*overlapped*/) {
    ssize_t result = 0;
    do {
        result = write(Descriptor(file), buffer, count);
    } while (result < 0 && errno == EINTR);
    if (result < 0) {
        lastError = Win32Error(errno);
        return FALSE;
    }
    *written = static_cast<DWORD>(result);
    return TRUE;
}

DWORD GetLastError() { return lastError; }

#ifdef TIKVAN_COVERAGE
extern "C" void __gcov_dump();  // NOLINT(bugprone-reserved-identifier): gcc's coverage runtime
#endif

void ExitProcess(UINT status) {
#ifdef TIKVAN_COVERAGE
    // The coverage build's counts are written at exit, which _exit skips.
    __gcov_dump();
#endif
    _exit(static_cast<int>(status & 0xFF));
}
