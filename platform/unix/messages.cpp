// LoadStringA and CharToOemA over the program's own texts, compiled in from
// messages.rc. A text is given in code page 932 when that is the ANSI code
// page; otherwise every character outside ASCII becomes "?", as converting
// Japanese to a single-byte code page gives.
#include <cstring>
#include <string_view>

#include "platform/win32.h"

namespace {

struct Message {
    UINT id;
    std::string_view utf8;
    std::string_view cp932;
};

constexpr Message kMessages[] = {
#define TIKVAN_MESSAGE(id, utf8, cp932) {id, utf8, cp932},
#include "messages.inc"
#undef TIKVAN_MESSAGE
};

constexpr UINT kJapanese = 932;

}  // namespace

int LoadStringA(HINSTANCE /*module*/, UINT id, LPSTR buffer, int size) {
    if (buffer == nullptr || size <= 0) return 0;
    buffer[0] = 0;
    for (const Message& message : kMessages) {
        if (message.id != id) continue;
        int length = 0;
        const auto put = [&](char byte) {
            if (length < size - 1) buffer[length++] = byte;
        };
        if (GetACP() == kJapanese) {
            for (char byte : message.cp932) put(byte);
        } else {
            for (char byte : message.utf8) {
                const auto value = static_cast<unsigned char>(byte);
                if (value < 0x80) put(byte);
                else if (value >= 0xC0) put('?');  // the first byte of a character
            }
        }
        buffer[length] = 0;
        return length;
    }
    return 0;
}

// The program's ANSI texts are ASCII, "?" or code page 932, which the OEM
// code page of the same locale holds unchanged.
BOOL CharToOemA(LPCSTR text, LPSTR converted) {
    if (converted != text) std::memmove(converted, text, std::strlen(text) + 1);
    return TRUE;
}
