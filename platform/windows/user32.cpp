// The USER32 calls of tikvan, provided without importing USER32.
//
// Loading USER32 costs time at every start of the process, and the program
// needs only two of its character functions, given here from KERNEL32
// services with the contract the program relies on, and GetSystemMetrics,
// which only systems outside the NT family ask for and which is looked up
// when it is called. So the executable imports KERNEL32 and msvcrt only.
// Nothing else belongs in this file.
#include "platform/win32.h"

// A lead byte of the ANSI code page takes the byte after it along, unless
// that byte ends the text. The step never passes the terminating zero.
LPSTR WINAPI CharNextA(LPCSTR text) {
    if (text[0] == 0) return const_cast<LPSTR>(text);
    if (IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(text[0])) && text[1] != 0) {
        return const_cast<LPSTR>(text + 2);
    }
    return const_cast<LPSTR>(text + 1);
}

// Upper-cases by the user's locale. A mapping that would change the byte
// length is not applied; the single-byte letters "a" to "z" are raised then,
// so lengths and character positions never change.
DWORD WINAPI CharUpperBuffA(LPSTR text, DWORD length) {
    if (length == 0) return 0;
    char folded[512];
    const int size = static_cast<int>(length);
    if (length <= sizeof folded &&
        LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, text, size, folded, size) == size) {
        for (DWORD i = 0; i < length; ++i) text[i] = folded[i];
        return length;
    }
    for (DWORD i = 0; i < length;) {
        const auto byte = static_cast<BYTE>(text[i]);
        if (IsDBCSLeadByteEx(CP_ACP, byte) && i + 1 < length) {
            i += 2;
            continue;
        }
        if (byte >= 'a' && byte <= 'z') text[i] = static_cast<char>(byte - 0x20);
        ++i;
    }
    return length;
}

// Only the start-up of a system outside the NT family calls this; USER32 is
// loaded then and not before. 0 when it cannot be had.
int WINAPI GetSystemMetrics(int index) {
    using Function = int(WINAPI*)(int);
    const HMODULE user32 = LoadLibraryA("user32.dll");
    const FARPROC address = user32 == nullptr ? nullptr : GetProcAddress(user32, "GetSystemMetrics");
    return address == nullptr ? 0 : reinterpret_cast<Function>(reinterpret_cast<void*>(address))(index);
}
