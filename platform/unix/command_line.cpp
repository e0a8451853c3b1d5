// GetCommandLineA and GetModuleFileNameA.
//
// The command line is rebuilt from the argument vector the way Wine builds a
// Windows command line from the arguments it is given, so that both builds
// see the same line for the same words.
#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/unix/start.h"
#include "platform/win32.h"

namespace {

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
    const auto arguments = tikvan::posix::StartArguments();
    std::string line;
    for (int i = 0; i < arguments.count; ++i) {
        if (i > 0) line += ' ';
        AppendWord(line, arguments.words[i]);
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
