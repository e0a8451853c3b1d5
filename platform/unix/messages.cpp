// LoadStringA and CharToOemA over the program's own texts, compiled in from
// messages.rc. A text is given in code page 932 when that is the ANSI code
// page; otherwise every character outside ASCII becomes "?", as converting
// Japanese to a single-byte code page gives.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/win32.h"

namespace {

struct Message {
    UINT id;
    std::string_view cp932;
    std::string_view singleByte;
};

constexpr Message kMessages[] = {
#define TIKVAN_MESSAGE(id, cp932, singleByte) {id, cp932, singleByte},
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
        const std::string_view text = GetACP() == kJapanese ? message.cp932 : message.singleByte;
        const std::size_t length = std::min(text.size(), static_cast<std::size_t>(size - 1));
        std::memcpy(buffer, text.data(), length);
        buffer[length] = 0;
        return static_cast<int>(length);
    }
    return 0;
}

// The program's ANSI texts are ASCII, "?" or code page 932, which the OEM
// code page of the same locale holds unchanged.
BOOL CharToOemA(LPCSTR text, LPSTR converted) {
    if (converted != text) std::memmove(converted, text, std::strlen(text) + 1);
    return TRUE;
}
