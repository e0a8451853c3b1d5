// The program's arguments, cut from the raw command line.
//
// Blanks and control bytes (0x01..0x20) separate arguments, double quotes
// group and are dropped, pairs of quotes before an argument are skipped, and
// a backslash is an ordinary byte. The first token is the program's name and
// never an argument; the arguments end at the first empty token.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tikvan {

// Steps from the character at `at` to the next one, never past the
// terminating zero. The product steps by the ANSI code page (CharNextA).
using CharacterStep = const char* (*)(const char* at);

struct Token {
    std::string text;
    std::size_t next;  // the separator or terminating zero after the token
};

// Splits one token from the zero-terminated `line`, starting at `from`.
Token NextArgument(const char* line, std::size_t from, CharacterStep step);

// The number of arguments in `line`, and the argument at 1..count of it (the
// empty text for any other index).
std::int32_t CountArguments(const char* line, CharacterStep step);
std::string ArgumentOf(const char* line, std::int32_t index, CharacterStep step);

// The same for the process's own command line. Index 0 is the full path of
// the executable.
std::int32_t ArgumentCount();
std::string ArgumentAt(std::int32_t index);

}  // namespace tikvan
