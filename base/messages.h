// The program's texts: loading them from the string table and filling in
// their arguments.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tikvan {

// String-table ids of the texts the program shows, by name.
enum MessageId : std::uint16_t {
#define TIKVAN_MESSAGE(name, id, text) name = (id),
#include "resources/messages.def"
};

// The room for a text of the string table and its terminating zero.
inline constexpr std::size_t kMessageCapacity = 1024;

// The text with this id in the ANSI code page, at most 1023 bytes; the empty
// text for an id that is absent. The view is of one static buffer, which the
// next call fills anew: the failure report loads its texts on what stack a
// stack overflow leaves.
std::string_view LoadMessage(std::uint16_t id);

// One argument of a message: a text, or a number.
struct MessageArgument {
    std::string_view text;
    std::int64_t number{};
    // Implicit, so that argument lists read as lists of values.
    MessageArgument(std::string_view value) : text(value) {}                // NOLINT(google-explicit-constructor)
    MessageArgument(const char* value) : text(value) {}                     // NOLINT(google-explicit-constructor)
    MessageArgument(std::int64_t value) : number(value) {}                 // NOLINT(google-explicit-constructor)
};

// Fills `format` into `out` (at most `capacity` - 1 bytes and a zero) and
// gives the length. A conversion is "%", an optional argument index and ":",
// and a letter in either case: s text, d signed decimal, x hexadecimal, p
// eight hexadecimal digits. Without an index a conversion takes the next
// argument; an index also sets where the following ones continue. Other
// bytes are copied, a "%" that begins no conversion among them; a
// conversion without its argument writes nothing.
std::size_t ExpandMessage(std::string_view format, std::span<const MessageArgument> arguments, char* out,
                          std::size_t capacity);

}  // namespace tikvan
