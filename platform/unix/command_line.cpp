// GetCommandLineA, GetModuleFileNameA and VirtualQuery.
//
// The command line is rebuilt from the argument vector the way Wine builds a
// Windows command line from the arguments it is given, so that both builds
// see the same line for the same words. As on Windows, the program sees the
// line and its own path in the ANSI code page: where the system's text is
// UTF-8, they are converted into it once the line is built (Wine quotes the
// words before it converts them, so a character that becomes a blank or a
// quote in the ANSI code page is not quoted or escaped).
//
// A module is a loaded object, found through dl_iterate_phdr, which lists
// the program itself in a static link as well as in a dynamic one.
//
// A test build (TIKVAN_TEST_COMMAND_LINE) takes the whole command line from
// the environment instead, as hexadecimal bytes in TIKVAN_COMMAND_LINE, so
// that tests can hand it lines no argument vector expresses. The product is
// never built that way.
#include <limits.h>
#include <link.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/unix/code_page.h"
#include "platform/unix/start.h"
#include "platform/win32.h"

namespace {

// The line being built: `text` null only counts the bytes, so that the
// line is measured first and then written into one buffer of its size.
struct LineWriter {
    char* text = nullptr;
    std::size_t length = 0;
    void Put(const char* bytes, std::size_t count) {
        if (text != nullptr) std::memcpy(text + length, bytes, count);
        length += count;
    }
    void Put(char byte) { Put(&byte, 1); }
};

// An empty word, or one holding a space or tab, is put in double quotes. A
// double quote is written as \" and the backslashes directly before it are
// doubled; so are the backslashes before a closing quote. A word without
// blanks, tabs, backslashes and quotes is copied whole, and otherwise the
// bytes between two backslashes or quotes as one run.
void AppendWord(LineWriter& line, const char* word) {
    std::size_t length = 0;
    bool plain = *word != 0;
    bool quoted = *word == 0;
    for (; word[length] != 0; ++length) {
        const char c = word[length];
        if (c == ' ' || c == '\t' || c == '\\' || c == '"') plain = false;
        if (c == ' ' || c == '\t') quoted = true;
    }
    if (plain) {
        line.Put(word, length);
        return;
    }
    if (quoted) line.Put('"');
    const char* at = word;
    for (;;) {
        const char* run = at;
        while (*at != 0 && *at != '\\' && *at != '"') ++at;
        line.Put(run, static_cast<std::size_t>(at - run));
        std::size_t backslashes = 0;
        for (; *at == '\\'; ++at) ++backslashes;
        const bool doubled = *at == '"' || (*at == 0 && quoted);
        for (std::size_t i = doubled ? 2 * backslashes : backslashes; i > 0; --i) line.Put('\\');
        if (*at == 0) break;
        if (*at == '"') {
            line.Put("\\\"", 2);
            ++at;
        }
    }
    if (quoted) line.Put('"');
}

void AppendWords(LineWriter& line, const tikvan::posix::ArgumentVector& arguments) {
    for (int i = 0; i < arguments.count; ++i) {
        if (i > 0) line.Put(' ');
        AppendWord(line, arguments.words[i]);
    }
}

#ifdef TIKVAN_TEST_COMMAND_LINE
int HexDigit(char digit) {
    if (digit >= '0' && digit <= '9') return digit - '0';
    if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
    if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
    return -1;
}

// The line of TIKVAN_COMMAND_LINE, or null when it is not set.
char* CommandLineOfTest() {
    const char* hex = std::getenv("TIKVAN_COMMAND_LINE");
    if (hex == nullptr) return nullptr;
    char* line = static_cast<char*>(std::malloc(std::strlen(hex) / 2 + 1));
    if (line == nullptr) return nullptr;
    std::size_t length = 0;
    for (; hex[0] != 0 && hex[1] != 0; hex += 2) {
        const int high = HexDigit(hex[0]);
        const int low = HexDigit(hex[1]);
        if (high < 0 || low < 0) break;
        line[length++] = static_cast<char>(high * 16 + low);
    }
    line[length] = 0;
    return line;
}
#endif

// The line, zero-terminated, in memory that lasts the process; the empty
// line when no memory can be had for it. In UTF-8 a malformed byte becomes
// a character of three bytes, so its conversion is given three times the
// room.
char* BuildCommandLine() {
#ifdef TIKVAN_TEST_COMMAND_LINE
    if (char* line = CommandLineOfTest(); line != nullptr) return line;
#endif
    static char empty[1];
    const tikvan::posix::ArgumentVector arguments = tikvan::posix::StartArguments();
    LineWriter line;
    AppendWords(line, arguments);
    line.text = static_cast<char*>(std::malloc(line.length + 1));
    if (line.text == nullptr) return empty;
    line.length = 0;
    AppendWords(line, arguments);
    line.text[line.length] = 0;
    const std::string_view text(line.text, line.length);
    if (tikvan::posix::IsAscii(text) || !tikvan::posix::SystemTextIsUtf8()) return line.text;
    const std::size_t capacity = 3 * line.length;
    char* converted = static_cast<char*>(std::malloc(capacity + 1));
    if (converted == nullptr) {
        std::free(line.text);
        return empty;
    }
    converted[tikvan::posix::Utf8ToCodePage(text, GetACP(), converted, capacity)] = 0;
    std::free(line.text);
    return converted;
}

// The loaded object with a segment that holds `address`: the start of its
// first mapped page and its file name, empty for the program itself.
struct LoadedObject {
    std::uintptr_t address;
    std::uintptr_t base;
    const char* name;
};

int MatchObject(dl_phdr_info* info, std::size_t /*size*/, void* data) {
    auto& object = *static_cast<LoadedObject*>(data);
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    std::uintptr_t base = UINTPTR_MAX;
    bool holds = false;
    for (ElfW(Half) i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        if (segment.p_type != PT_LOAD) continue;
        const std::uintptr_t start = info->dlpi_addr + segment.p_vaddr;
        base = std::min(base, start & ~(page - 1));
        if (object.address >= start && object.address - start < segment.p_memsz) holds = true;
    }
    if (!holds) return 0;
    object.base = base;
    object.name = info->dlpi_name != nullptr ? info->dlpi_name : "";
    return 1;
}

bool FindObject(const void* address, LoadedObject& object) {
    object = {reinterpret_cast<std::uintptr_t>(address), 0, ""};
    return address != nullptr && dl_iterate_phdr(&MatchObject, &object) != 0;
}

}  // namespace

LPSTR GetCommandLineA() {
    static char* const line = BuildCommandLine();
    return line;
}

// A module is the base address of a loaded object; a null handle is the
// program itself. The path is given in the ANSI code page. A path that does
// not fit is cut to size - 1 bytes and the result is `size`, as on Windows.
// The buffers are static: the failure report asks on what stack a stack
// overflow leaves.
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
    if (size == 0) return 0;
    static char path[PATH_MAX];
    ssize_t length = -1;
    LoadedObject object{};
    const bool found = FindObject(module, object) && object.base == reinterpret_cast<std::uintptr_t>(module);
    if (found && std::strchr(object.name, '/') != nullptr) {
        length = static_cast<ssize_t>(std::strlen(object.name));
        std::memcpy(path, object.name, std::min(sizeof path, static_cast<std::size_t>(length)));
    } else if (module == nullptr || found) {
        length = readlink("/proc/self/exe", path, sizeof path);
    }
    if (length <= 0 || static_cast<std::size_t>(length) > sizeof path) return 0;
    const char* text = path;
    static char converted[sizeof path];
    const std::string_view name(path, static_cast<std::size_t>(length));
    if (!tikvan::posix::IsAscii(name) && tikvan::posix::SystemTextIsUtf8()) {
        length = static_cast<ssize_t>(tikvan::posix::Utf8ToCodePage(name, GetACP(), converted, sizeof converted));
        text = converted;
    }
    const auto bytes = static_cast<DWORD>(length);
    const DWORD copied = bytes < size ? bytes : size - 1;
    std::memcpy(buffer, text, copied);
    buffer[copied] = 0;
    return bytes < size ? bytes : size;
}

// The loaded object that holds an address: its base is the allocation base
// of a committed region. Other addresses are not committed.
SIZE_T VirtualQuery(LPCVOID address, PMEMORY_BASIC_INFORMATION information, SIZE_T size) {
    if (size < sizeof *information) return 0;
    *information = MEMORY_BASIC_INFORMATION{};
    LoadedObject object{};
    if (FindObject(address, object)) {
        information->AllocationBase = reinterpret_cast<void*>(object.base);
        information->State = MEM_COMMIT;
    }
    return sizeof *information;
}
