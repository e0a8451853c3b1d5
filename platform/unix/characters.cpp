// CharNextA and CharUpperBuffA over the ANSI code page's lead bytes, which
// are never ASCII.
#include "platform/unix/code_page.h"
#include "platform/win32.h"

// A lead byte takes the byte after it along, unless that byte ends the text.
// The step never passes the terminating zero.
LPSTR CharNextA(LPCSTR text) {
    const auto* at = reinterpret_cast<const unsigned char*>(text);
    if (at[0] == 0) return const_cast<LPSTR>(text);
    if (at[0] >= 0x80 && tikvan::posix::IsAnsiLeadByte(at[0]) && at[1] != 0) return const_cast<LPSTR>(text + 2);
    return const_cast<LPSTR>(text + 1);
}

// Raises the single-byte letters "a" to "z"; double-byte characters are left
// as they are. Length and character positions never change.
DWORD CharUpperBuffA(LPSTR text, DWORD length) {
    DWORD at = 0;
    while (at < length) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte >= 0x80 && tikvan::posix::IsAnsiLeadByte(byte) && at + 1 < length) {
            at += 2;
            continue;
        }
        if (byte >= 'a' && byte <= 'z') text[at] = static_cast<char>(byte - 0x20);
        ++at;
    }
    return length;
}
