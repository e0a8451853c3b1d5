// The program's arguments, cut from the raw command line.
//
// Blanks and control bytes (0x01..0x20) separate arguments, double quotes
// group and are dropped, pairs of quotes before an argument are skipped, and
// a backslash is an ordinary byte. The first token is the program's name and
// never an argument; the arguments end at the first empty token.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace tikvan {

// Steps from the character at `at` to the next one, never past the
// terminating zero. The product steps by the ANSI code page (CharNextA).
// An ASCII byte is a character of its own in every code page, so the step
// is asked only at the other bytes.
using CharacterStep = const char* (*)(const char* at);

struct Token {
    std::size_t length;  // the bytes written for the token
    std::size_t next;    // the separator or terminating zero after the token
};

// Splits one token from the zero-terminated `line`, starting at `from`, and
// writes its bytes to `out`, which has room for the rest of the line, or
// only measures it when `out` is null.
Token NextArgument(const char* line, std::size_t from, CharacterStep step, char* out);

// Arguments 1..N of a command line: the tokens after the program's name, up
// to the first empty one, split once and held in one buffer of the line's
// size.
class ArgumentList {
public:
    ArgumentList(const char* line, CharacterStep step);
    // N, the same at every call.
    std::int32_t ArgumentCount() const { return static_cast<std::int32_t>(count_); }
    // Argument `index` for 1..N; the empty text for any other index. (Index 0
    // would be the executable's path, which nothing asks for.)
    std::string_view ArgumentAt(std::int32_t index) const {
        return index >= 1 && index <= ArgumentCount() ? words_[index - 1] : std::string_view();
    }

private:
    std::unique_ptr<char[]> bytes_;
    std::unique_ptr<std::string_view[]> words_;
    std::size_t count_ = 0;
};

// The arguments of the process's own command line. The line does not change
// during a run, so it is split once.
const ArgumentList& Arguments();

}  // namespace tikvan
