// LoadStringA and CharToOemBuffA over the program's own texts, compiled in from
// messages.rc as UTF-8. A text is given in the ANSI code page, converted as
// the executable's LoadStringA converts its string table; CharToOemBuffA
// converts into the OEM code page as Windows does.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/unix/code_page.h"
#include "platform/win32.h"

namespace {

struct Message {
    UINT id;
    std::string_view utf8;
};

constexpr Message kMessages[] = {
#define TIKVAN_MESSAGE(id, utf8) {id, utf8},
#include "messages.inc"
};

// The room in which a text is converted whole, before it is cut to the
// caller's size: no character takes more bytes in a code page than in
// UTF-8, so the longest text's UTF-8 bytes hold any of them.
constexpr std::size_t kConversionRoom =
    std::ranges::max(kMessages, {}, [](const Message& message) { return message.utf8.size(); }).utf8.size();

}  // namespace

// The text converted whole and then cut to size - 1 bytes, as the
// executable does; every caller gives at least one byte.
int LoadStringA(HINSTANCE /*module*/, UINT id, LPSTR buffer, int size) {
    buffer[0] = 0;
    for (const Message& message : kMessages) {
        if (message.id != id) continue;
        // Static: the failure report loads its texts on what stack a stack
        // overflow leaves.
        static char converted[kConversionRoom];
        const std::size_t length =
            std::min(tikvan::posix::Utf8ToCodePage(message.utf8, GetACP(), converted, sizeof converted),
                     static_cast<std::size_t>(size - 1));
        std::memcpy(buffer, converted, length);
        buffer[length] = 0;
        return static_cast<int>(length);
    }
    return 0;
}

// The text ends at its terminating zero, at most length - 1 bytes in (every
// caller gives at least one byte). Its
// conversion keeps every character's length, so it fits where the text
// did; `converted` may be `text` itself.
BOOL CharToOemBuffA(LPCSTR text, LPSTR converted, DWORD length) {
    const std::size_t size = strnlen(text, length - 1);
    if (converted != text) std::memmove(converted, text, size);
    converted[size] = 0;
    tikvan::posix::AnsiToOem(converted, size, GetACP(), GetOEMCP());
    return TRUE;
}
