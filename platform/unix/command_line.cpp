// GetCommandLineA and GetModuleFileNameA.
//
// The command line is rebuilt from the argument vector the way Wine builds a
// Windows command line from the arguments it is given, so that both builds
// see the same line for the same words.
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <string>

#include "platform/win32.h"

namespace {

int savedCount = 0;
char** savedWords = nullptr;

// glibc passes the program's arguments to the functions of .init_array. This
// one also ignores SIGPIPE, so that a pipe without a reader is a failed write
// and not the end of the process.
void CaptureArguments(int count, char** words, char** /*environment*/) {
    savedCount = count;
    savedWords = words;
    std::signal(SIGPIPE, SIG_IGN);
}

[[gnu::section(".init_array"), gnu::used]] void (*const captureArguments)(int, char**, char**) =
    &CaptureArguments;

// An empty word, or one holding a space or tab, is put in double quotes. A
// double quote is written as \" and the backslashes directly before it are
// doubled; so are the backslashes before a closing quote.
void AppendWord(std::string& line, const char* word) {
    const bool quoted = *word == 0 || std::strpbrk(word, " \t") != nullptr;
    if (quoted) line += '"';
    std::size_t backslashes = 0;
    for (const char* at = word; *at != 0; ++at) {
        if (*at == '\\') {
            ++backslashes;
        } else {
            if (*at == '"') line.append(backslashes + 1, '\\');
            backslashes = 0;
        }
        line += *at;
    }
    if (quoted) {
        line.append(backslashes, '\\');
        line += '"';
    }
}

std::string BuildCommandLine() {
    std::string line;
    for (int i = 0; i < savedCount; ++i) {
        if (i > 0) line += ' ';
        AppendWord(line, savedWords[i]);
    }
    return line;
}

}  // namespace

LPSTR GetCommandLineA() {
    static std::string line = BuildCommandLine();
    return line.data();
}

// Only the program's own module (a null handle) is known. A path that does
// not fit is cut to size - 1 bytes and the result is `size`, as on Windows.
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
    if (module != nullptr || size == 0) return 0;
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0) return 0;
    const auto bytes = static_cast<DWORD>(length);
    const DWORD copied = bytes < size ? bytes : size - 1;
    std::memcpy(buffer, path, copied);
    buffer[copied] = 0;
    return bytes < size ? bytes : size;
}
