// Byte-string operations on arguments and switch text.
//
// Texts are bytes in the ANSI code page; positions start at 1. No operation
// reports an error: out-of-range positions and counts are clamped or give the
// empty text. An operation that makes a new text writes it into a buffer of
// the caller's and gives the part it wrote.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "base/lead_bytes.h"

namespace tikvan {

// Room for a text made from an argument: inside the object for the short
// texts that switches are, from the heap for a longer one. Neither is
// filled: every byte is written before it is read.
class ScratchText {
public:
    // cppcheck-suppress uninitMemberVar
    explicit ScratchText(std::size_t size) : heap_(size > sizeof inline_ ? new char[size] : nullptr) {}
    char* Data() { return heap_ ? heap_.get() : inline_; }

private:
    char inline_[64];
    std::unique_ptr<char[]> heap_;
};

// `count` bytes from `start` (1-based). A start below 1 counts as 1; a start
// past the end or a negative count gives the empty text; the count is cut to
// what the text holds.
std::string_view ByteRange(std::string_view text, std::int32_t start, std::int32_t count);

// Byte-for-byte equality: no case folding, no locale rules.
bool TextEquals(std::string_view left, std::string_view right);

// Raises "a".."z" by 0x20, byte by byte: a trail byte in that range changes
// too. No other byte changes. `out` holds text.size() bytes.
std::string_view AsciiUpper(std::string_view text, char* out);

// Replaces every occurrence of `pattern`, found without regard to the case of
// "a" to "z", by `replacement`; an occurrence that begins on the trail
// byte of a double-byte character stays. Every byte of the result comes from
// `text` or `replacement`. The result is cut at `capacity` bytes of `out`.
std::string_view ReplaceText(std::string_view text, std::string_view pattern, std::string_view replacement,
                             const CharacterSet& characters, char* out, std::size_t capacity);

}  // namespace tikvan
