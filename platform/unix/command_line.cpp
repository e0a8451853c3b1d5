// GetCommandLineA, GetModuleFileNameA and VirtualQuery.
//
// The command line is rebuilt from the argument vector the way Wine builds a
// Windows command line from the arguments it is given, so that both builds
// see the same line for the same words. As on Windows, the program sees the
// line and its own path in the ANSI code page: where the system's text is
// UTF-8, they are converted into it once the words are built (Wine quotes
// the words before it converts them, so a character that becomes a blank or
// a quote in the ANSI code page is not quoted or escaped). In any other
// codeset the bytes are kept, as a Windows program receives its ANSI line.
// The program walks over its own name and never reads it, so the line names
// the program by one fixed word rather than by argv[0], whose bytes (any, or
// none at all) could otherwise run into the first argument. Memory for the
// line is taken with operator new, so that running out of it ends the
// process as exhausted memory does everywhere else, and never in a line
// without its words.
//
// A module is a loaded object. The objects are listed once, through
// dl_iterate_phdr, when the fault handling is installed at start-up: the
// fault report asks for them on a signal's stack, where the loader must not
// be asked.
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
#include <memory>
#include <string_view>

#include "platform/unix/code_page.h"
#include "platform/unix/locale.h"
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
// doubled; so are the backslashes before a closing quote. The bytes
// between two backslashes or quotes are copied as one run.
void AppendWord(LineWriter& line, const char* word) {
    const bool quoted = *word == 0 || std::strpbrk(word, " \t") != nullptr;
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

// The words after the program's name, separated by blanks.
void AppendWords(LineWriter& line, const tikvan::posix::ArgumentVector& arguments) {
    for (int i = 1; i < arguments.count; ++i) {
        if (i > 1) line.Put(' ');
        AppendWord(line, arguments.words[i]);
    }
}

// Text written by `write` into a LineWriter: measured first, then written
// into memory of its size, with a terminating zero.
template <typename Write>
std::unique_ptr<char[]> Written(Write write, std::size_t& length) {
    LineWriter line;
    write(line);
    std::unique_ptr<char[]> text(new char[line.length + 1]);
    line = {text.get(), 0};
    write(line);
    text[line.length] = 0;
    length = line.length;
    return text;
}

// Text of the system's encoding in the ANSI code page: kept as it is, or
// converted from UTF-8, where a malformed byte becomes a character of three
// bytes, so its conversion is given three times the room.
std::string_view InAnsiCodePage(std::string_view text, std::unique_ptr<char[]>& converted) {
    if (tikvan::posix::IsAscii(text) || !tikvan::posix::SystemTextIsUtf8()) return text;
    converted.reset(new char[3 * text.size()]);
    return {converted.get(), tikvan::posix::Utf8ToCodePage(text, GetACP(), converted.get(), 3 * text.size())};
}

#ifdef TIKVAN_TEST_COMMAND_LINE
// A digit of the tests' hexadecimal: 0-9 or a-f in either case.
int HexDigit(char digit) { return digit <= '9' ? digit - '0' : (digit | 0x20) - 'a' + 10; }

// The line of TIKVAN_COMMAND_LINE, or null when it is not set.
char* CommandLineOfTest() {
    const char* hex = std::getenv("TIKVAN_COMMAND_LINE");
    if (hex == nullptr) return nullptr;
    char* line = new char[std::strlen(hex) / 2 + 1];
    std::size_t length = 0;
    for (; hex[0] != 0 && hex[1] != 0; hex += 2) {
        line[length++] = static_cast<char>(HexDigit(hex[0]) * 16 + HexDigit(hex[1]));
    }
    line[length] = 0;
    return line;
}
#endif

// The line, zero-terminated, in memory that lasts the process.
char* BuildCommandLine() {
#ifdef TIKVAN_TEST_COMMAND_LINE
    if (char* line = CommandLineOfTest(); line != nullptr) return line;
#endif
    const tikvan::posix::ArgumentVector arguments = tikvan::posix::StartArguments();
    std::size_t wordsLength = 0;
    const std::unique_ptr<char[]> words = Written([&](LineWriter& line) { AppendWords(line, arguments); }, wordsLength);
    std::unique_ptr<char[]> convertedWords;
    const std::string_view after = InAnsiCodePage({words.get(), wordsLength}, convertedWords);
    std::size_t length = 0;
    return Written(
               [&](LineWriter& line) {
                   line.Put("tikvan", 6);
                   if (arguments.count < 2) return;
                   line.Put(' ');
                   line.Put(after.data(), after.size());
               },
               length)
        .release();
}

// A loaded object: the start of its first mapped page and its file name,
// empty for the program itself; and a segment that one maps.
struct LoadedObject {
    std::uintptr_t base;
    const char* name;
};
struct MappedSegment {
    std::uintptr_t start;
    std::uintptr_t size;
    const LoadedObject* object;
};

// The objects loaded when they were listed. A program of this kind loads a
// handful; any beyond these counts are left out, and their addresses count
// as no module's.
LoadedObject loadedObjects[32];
MappedSegment mappedSegments[128];
std::size_t objectCount = 0;
std::size_t segmentCount = 0;

int ListObject(dl_phdr_info* info, std::size_t /*size*/, void* /*data*/) {
    if (objectCount == std::size(loadedObjects)) return 1;
    LoadedObject& object = loadedObjects[objectCount++];
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    object = {UINTPTR_MAX, info->dlpi_name != nullptr ? info->dlpi_name : ""};
    for (ElfW(Half) i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        if (segment.p_type != PT_LOAD) continue;
        const std::uintptr_t start = info->dlpi_addr + segment.p_vaddr;
        object.base = std::min(object.base, start & ~(page - 1));
        if (segmentCount < std::size(mappedSegments)) mappedSegments[segmentCount++] = {start, segment.p_memsz, &object};
    }
    return 0;
}

// The loaded object with a segment that holds `address`, or null.
const LoadedObject* ObjectHolding(const void* address) {
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    for (std::size_t i = 0; address != nullptr && i < segmentCount; ++i) {
        if (at >= mappedSegments[i].start && at - mappedSegments[i].start < mappedSegments[i].size) {
            return mappedSegments[i].object;
        }
    }
    return nullptr;
}

}  // namespace

LPSTR GetCommandLineA() {
    static char* const line = BuildCommandLine();
    return line;
}

// A module is the base address of a loaded object; a null handle is the
// program itself, as is the object listed without a name. An object named
// without a path (the kernel's shared object) is given by its name. The
// path is given in the ANSI code page with its zero; cut to size - 1 bytes
// and the zero, the result is `size`. The buffers are static: the failure
// report asks on what stack a stack overflow leaves.
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
    static char path[PATH_MAX];
    ssize_t length = -1;
    const LoadedObject* object = ObjectHolding(module);
    const bool found = object != nullptr && object->base == reinterpret_cast<std::uintptr_t>(module);
    if (found && object->name[0] != 0) {
        length = static_cast<ssize_t>(std::strlen(object->name));
        std::memcpy(path, object->name, std::min(sizeof path, static_cast<std::size_t>(length)));
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
    if (size == 0) return 0;
    const DWORD copied = std::min(static_cast<DWORD>(length), size - 1);
    std::memcpy(buffer, text, copied);
    buffer[copied] = 0;
    return copied < static_cast<DWORD>(length) ? size : copied;
}

// The loaded object that holds an address: its base is the allocation base
// of a committed region. Other addresses are not committed.
SIZE_T VirtualQuery(LPCVOID address, PMEMORY_BASIC_INFORMATION information, SIZE_T /*size*/) {
    *information = MEMORY_BASIC_INFORMATION{};
    if (const LoadedObject* object = ObjectHolding(address); object != nullptr) {
        information->AllocationBase = reinterpret_cast<void*>(object->base);
        information->State = MEM_COMMIT;
    }
    return sizeof *information;
}

namespace tikvan::posix {

void ListLoadedObjects() {
    dl_iterate_phdr(&ListObject, nullptr);
    // A path outside ASCII is converted by the system's codeset, which the C
    // library must not be asked for on a signal's stack: it is asked now.
    static char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    bool ascii = length < 0 || IsAscii({path, static_cast<std::size_t>(length)});
    for (std::size_t i = 0; i < objectCount; ++i) ascii = ascii && IsAscii(loadedObjects[i].name);
    if (!ascii) SystemTextIsUtf8();
}

}  // namespace tikvan::posix
