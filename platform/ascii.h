// ASCII letter case, the one case change the program makes byte by byte:
// "a" to "z" become "A" to "Z", and no other byte changes, so a byte of a
// double-byte character from 0x80 never does. Portable code only.
#pragma once

namespace tikvan {

constexpr char UpperAscii(char byte) { return byte >= 'a' && byte <= 'z' ? static_cast<char>(byte - 'a' + 'A') : byte; }

}  // namespace tikvan
