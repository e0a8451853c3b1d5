// GetCommandLineA, GetModuleFileNameA and VirtualQuery.
//
// The command line is rebuilt from the argument vector the way Wine builds a
// Windows command line from the arguments it is given, so that both builds
// see the same line for the same words.
//
// A test build (TIKVAN_TEST_COMMAND_LINE) takes the whole command line from
// the environment instead, as hexadecimal bytes in TIKVAN_COMMAND_LINE, so
// that tests can hand it lines no argument vector expresses. The product is
// never built that way.
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
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

#ifdef TIKVAN_TEST_COMMAND_LINE
int HexDigit(char digit) {
    if (digit >= '0' && digit <= '9') return digit - '0';
    if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
    if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
    return -1;
}

bool CommandLineOfTest(std::string& line) {
    const char* hex = std::getenv("TIKVAN_COMMAND_LINE");
    if (hex == nullptr) return false;
    for (; hex[0] != 0 && hex[1] != 0; hex += 2) {
        const int high = HexDigit(hex[0]);
        const int low = HexDigit(hex[1]);
        if (high < 0 || low < 0) break;
        line += static_cast<char>(high * 16 + low);
    }
    return true;
}
#endif

std::string BuildCommandLine() {
#ifdef TIKVAN_TEST_COMMAND_LINE
    if (std::string line; CommandLineOfTest(line)) return line;
#endif
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

// A module is the base address of a loaded object; a null handle is the
// program itself. A path that does not fit is cut to size - 1 bytes and the
// result is `size`, as on Windows.
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
    if (size == 0) return 0;
    char path[4096];
    ssize_t length = -1;
    Dl_info object{};
    if (module != nullptr && dladdr(module, &object) != 0 && object.dli_fbase == module &&
        object.dli_fname != nullptr && std::strchr(object.dli_fname, '/') != nullptr) {
        length = static_cast<ssize_t>(std::strlen(object.dli_fname));
        std::memcpy(path, object.dli_fname, std::min(sizeof path, static_cast<std::size_t>(length)));
    } else if (module == nullptr || object.dli_fbase == module) {
        length = readlink("/proc/self/exe", path, sizeof path);
    }
    if (length <= 0 || static_cast<std::size_t>(length) > sizeof path) return 0;
    const auto bytes = static_cast<DWORD>(length);
    const DWORD copied = bytes < size ? bytes : size - 1;
    std::memcpy(buffer, path, copied);
    buffer[copied] = 0;
    return bytes < size ? bytes : size;
}

// The loaded object that holds an address: its base is the allocation base
// of a committed region. Other addresses are not committed.
SIZE_T VirtualQuery(LPCVOID address, PMEMORY_BASIC_INFORMATION information, SIZE_T size) {
    if (size < sizeof *information) return 0;
    *information = MEMORY_BASIC_INFORMATION{};
    Dl_info object{};
    if (address != nullptr && dladdr(address, &object) != 0) {
        information->AllocationBase = object.dli_fbase;
        information->State = MEM_COMMIT;
    }
    return sizeof *information;
}
