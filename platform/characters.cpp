// CharNextA and CharUpperBuffA, the USER32 text calls of the program, for
// both platforms: written once over IsDBCSLeadByteEx, which each platform
// provides. Portable code only: no system header, no platform branch.
#include "platform/ascii.h"
#include "platform/win32.h"

// A lead byte of the ANSI code page takes the byte after it along, unless
// that byte ends the text, so the step never passes the terminating zero.
// No caller steps from the zero itself: each stops there.
LPSTR WINAPI CharNextA(LPCSTR text) {
    if (IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(text[0])) && text[1] != 0) return const_cast<LPSTR>(text + 2);
    return const_cast<LPSTR>(text + 1);
}

// Raises the single-byte letters "a" to "z"; a double-byte character is
// left as it is. The byte length and every character's position stay, and
// "/" is never changed, which is all the program relies on.
DWORD WINAPI CharUpperBuffA(LPSTR text, DWORD length) {
    for (DWORD at = 0; at < length;) {
        const auto byte = static_cast<BYTE>(text[at]);
        if (IsDBCSLeadByteEx(CP_ACP, byte) && at + 1 < length) {
            at += 2;
            continue;
        }
        text[at] = tikvan::UpperAscii(text[at]);
        ++at;
    }
    return length;
}
