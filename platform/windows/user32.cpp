// The USER32 calls of tikvan, provided without importing USER32.
//
// Loading USER32 costs time at every start of the process, and the program
// needs only a few of its text functions, given here from KERNEL32
// services with the contract the program relies on (CharNextA and
// CharUpperBuffA, which need only the lead-byte test, are portable and live
// in platform/characters.cpp). So the executable imports KERNEL32 and msvcrt
// only.
// Nothing else belongs in this file.
#include "platform/win32.h"

namespace {

// The most bytes one UTF-16 character (a unit or a surrogate pair) takes in
// a code page.
constexpr int kCharacterRoom = 8;

// The bytes of text that CharToOemBuffA converts at a time; any count
// would do.
constexpr DWORD kPieceRoom = 4096;

// `units` UTF-16 units in code page `codePage`, whole characters only, into
// at most `room` bytes at `out`; gives the count of bytes written. One
// character at a time, so that no text is too long to be cut, and no
// buffer but the caller's is needed: the failure report converts on the
// little stack that a stack overflow leaves.
DWORD FromWide(UINT codePage, const WCHAR* units, int count, LPSTR out, DWORD room) {
    DWORD written = 0;
    for (int at = 0; at < count;) {
        const int step = IS_HIGH_SURROGATE(units[at]) && at + 1 < count ? 2 : 1;
        char character[kCharacterRoom];
        const int size = WideCharToMultiByte(codePage, 0, units + at, step, character, sizeof character, nullptr, nullptr);
        if (size <= 0 || written + static_cast<DWORD>(size) > room) break;
        for (int i = 0; i < size; ++i) out[written++] = character[i];
        at += step;
    }
    return written;
}

}  // namespace

// The string with this id from the module's string-table resource, in the
// ANSI code page, cut after the last whole character that fits in size - 1
// bytes, and its zero. 0 and the empty text when it is absent; 0 and
// nothing written when `size` leaves no room.
int WINAPI LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int size) {
    if (buffer == nullptr || size <= 0) return 0;
    buffer[0] = 0;
    // A block of 16 strings, numbered from 1; resource type 6 is RT_STRING.
    const auto resourceId = [](UINT number) { return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(number)); };
    const auto block = FindResourceW(module, resourceId((id >> 4) + 1), resourceId(6));
    const auto* entry = block == nullptr ? nullptr : static_cast<const WCHAR*>(LockResource(LoadResource(module, block)));
    if (entry == nullptr) return 0;
    for (UINT i = 0; i < (id & 15); ++i) entry += 1 + entry[0];
    const DWORD length = FromWide(CP_ACP, entry + 1, entry[0], buffer, static_cast<DWORD>(size - 1));
    buffer[length] = 0;
    return static_cast<int>(length);
}

// The `length` bytes of `text` in the OEM code page, into the `length`
// bytes at `converted`, which may be `text` itself; a character that does
// not fit is left out, and nothing else is written. The text is converted
// in pieces that end after a byte below 0x40, which no double-byte or UTF-8
// character holds, so that no piece splits a character and no text is too
// long for the buffer; static, as the report converts on the little stack
// that a stack overflow leaves.
BOOL WINAPI CharToOemBuffA(LPCSTR text, LPSTR converted, DWORD length) {
    static WCHAR wide[kPieceRoom];
    for (DWORD read = 0, written = 0; read < length;) {
        DWORD piece = length - read < kPieceRoom ? length - read : kPieceRoom;
        for (DWORD end = piece; read + piece < length && end > 1; --end) {
            if (static_cast<BYTE>(text[read + end - 1]) < 0x40) {
                piece = end;
                break;
            }
        }
        const int units = MultiByteToWideChar(CP_ACP, 0, text + read, static_cast<int>(piece), wide, kPieceRoom);
        read += piece;
        // In place, the piece converted takes no more room than its own.
        written += FromWide(CP_OEMCP, wide, units, converted + written, (converted == text ? read : length) - written);
    }
    return TRUE;
}
