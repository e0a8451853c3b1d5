// The USER32 calls of tikvan, provided without importing USER32.
//
// Loading USER32 costs time at every start of the process, and the program
// needs only a few of its text functions, given here from KERNEL32
// services with the contract the program relies on (CharNextA and
// CharUpperBuffA, which need only the lead-byte test, are portable and live
// in platform/characters.cpp). So the executable imports KERNEL32 and msvcrt
// only.
// Nothing else belongs in this file.
#include <iterator>

#include "platform/win32.h"

namespace {

// The bytes in which LoadStringA converts a text of the string table whole,
// before it cuts the text to the caller's size.
constexpr int kLoadStringRoom = 4096;

}  // namespace

// The string with this id from the module's string-table resource, converted
// to the ANSI code page and cut to size - 1 bytes. 0 when it is absent.
int WINAPI LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int size) {
    if (buffer == nullptr || size <= 0) return 0;
    buffer[0] = 0;
    // A block of 16 strings, numbered from 1; resource type 6 is RT_STRING.
    const auto resourceId = [](UINT number) { return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(number)); };
    const auto block = FindResourceW(module, resourceId((id >> 4) + 1), resourceId(6));
    const auto* entry = block == nullptr ? nullptr : static_cast<const WCHAR*>(LockResource(LoadResource(module, block)));
    if (entry == nullptr) return 0;
    for (UINT i = 0; i < (id & 15); ++i) entry += 1 + entry[0];
    // Static, like the buffer below: the failure report calls both on the
    // little stack that a stack overflow leaves.
    static char converted[kLoadStringRoom];
    int length = entry[0] == 0 ? 0
                               : WideCharToMultiByte(CP_ACP, 0, entry + 1, entry[0], converted, sizeof converted,
                                                     nullptr, nullptr);
    if (length <= 0) return 0;
    if (length > size - 1) length = size - 1;
    for (int i = 0; i < length; ++i) buffer[i] = converted[i];
    buffer[length] = 0;
    return length;
}

// ANSI to OEM code page, through UTF-16. The text ends at its terminating
// zero, at most length - 1 bytes in; the converted text and its zero are
// written into the `length` bytes at `converted`, which may be `text`
// itself, cut after the last whole character that fits.
BOOL WINAPI CharToOemBuffA(LPCSTR text, LPSTR converted, DWORD length) {
    if (length == 0) return FALSE;
    // Static, like LoadStringA's: the failure report converts on the little
    // stack that a stack overflow leaves.
    static WCHAR wide[4096];
    DWORD bytes = 0;
    while (bytes + 1 < length && text[bytes] != 0) ++bytes;
    const int units = bytes == 0 ? 0
                                 : MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(bytes), wide,
                                                       static_cast<int>(std::size(wide)));
    // The whole characters whose conversion fits before the terminating zero.
    int taken = 0;
    DWORD written = 0;
    while (taken < units) {
        const int step = IS_HIGH_SURROGATE(wide[taken]) && taken + 1 < units ? 2 : 1;
        const int size = WideCharToMultiByte(CP_OEMCP, 0, wide + taken, step, nullptr, 0, nullptr, nullptr);
        if (size <= 0 || written + static_cast<DWORD>(size) + 1 > length) break;
        written += static_cast<DWORD>(size);
        taken += step;
    }
    if (taken > 0) {
        WideCharToMultiByte(CP_OEMCP, 0, wide, taken, converted, static_cast<int>(written), nullptr, nullptr);
    }
    converted[written] = 0;
    return TRUE;
}
