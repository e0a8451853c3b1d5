// LoadStringA and CharToOemBuffA over the program's own texts, compiled in
// from their table as UTF-8. A text is given in the ANSI code page, as the
// executable's LoadStringA converts its string table; CharToOemBuffA
// converts into the OEM code page as Windows does.
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
#define TIKVAN_MESSAGE(name, id, text) {id, text},
#include "resources/messages.def"
};

}  // namespace

// The text in the ANSI code page, cut after the last whole character that
// fits in size - 1 bytes, and its zero. 0 and the empty text when it is
// absent; 0 and nothing written when `size` leaves no room.
int LoadStringA(HINSTANCE /*module*/, UINT id, LPSTR buffer, int size) {
    if (buffer == nullptr || size <= 0) return 0;
    std::size_t length = 0;
    for (const Message& message : kMessages) {
        if (message.id == id) {
            length = tikvan::posix::Utf8ToCodePage(message.utf8, GetACP(), buffer, static_cast<std::size_t>(size) - 1);
        }
    }
    buffer[length] = 0;
    return static_cast<int>(length);
}

// The `length` bytes of `text` in the OEM code page, into the `length`
// bytes at `converted`, which may be `text` itself. The conversion keeps
// every character's length, so it fits where the text was.
BOOL CharToOemBuffA(LPCSTR text, LPSTR converted, DWORD length) {
    if (converted != text) std::memmove(converted, text, length);
    tikvan::posix::AnsiToOem(converted, length, GetACP(), GetOEMCP());
    return TRUE;
}
