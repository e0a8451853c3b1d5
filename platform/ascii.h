// ASCII letter case, the one case change the program makes byte by byte:
// "a" to "z" become "A" to "Z", and no other byte changes, so a byte of a
// double-byte character from 0x80 never does. And the hexadecimal numbers
// in which tables and tests write bytes. Portable code only.
#pragma once

#include <string_view>

namespace tikvan {

constexpr char UpperAscii(char byte) { return byte >= 'a' && byte <= 'z' ? static_cast<char>(byte - 'a' + 'A') : byte; }

// The number that hexadecimal digits (0-9, a-f in either case) spell.
constexpr unsigned HexNumber(std::string_view digits) {
    unsigned number = 0;
    for (const char digit : digits) {
        number = number << 4 | static_cast<unsigned>(digit <= '9' ? digit - '0' : (digit | 0x20) - 'a' + 10);
    }
    return number;
}

}  // namespace tikvan
