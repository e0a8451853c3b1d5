// The program's arguments, cut from the raw command line.
//
// Blanks and control bytes (0x01..0x20) separate arguments, double quotes
// group and are dropped, pairs of quotes before an argument are skipped, and
// a backslash is an ordinary byte. The first token is the program's name and
// never an argument; the arguments end at the first empty token.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tikvan {

// Steps from the character at `at` to the next one, never past the
// terminating zero. The product steps by the ANSI code page (CharNextA).
// An ASCII byte is a character of its own in every code page, so the step
// is asked only at the other bytes.
using CharacterStep = const char* (*)(const char* at);

struct Token {
    std::string text;
    std::size_t next;  // the separator or terminating zero after the token
};

// Splits one token from the zero-terminated `line`, starting at `from`.
Token NextArgument(const char* line, std::size_t from, CharacterStep step);

// Arguments 1..N of `line`: the tokens after the program's name, up to the
// first empty one.
std::vector<std::string> SplitArguments(const char* line, CharacterStep step);

// The process's own arguments. The command line does not change during a
// run, so it is split once. ArgumentAt gives the full path of the executable
// for index 0, argument i for 1..N, and the empty text for any other index.
std::int32_t ArgumentCount();
std::string ArgumentAt(std::int32_t index);

// Arguments 1..N of the process, as ArgumentAt gives them, without copies.
std::span<const std::string> Arguments();

}  // namespace tikvan
