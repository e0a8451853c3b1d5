// The program's texts: loading them from the string table and filling in
// their arguments.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tikvan {

// String-table ids of the texts the program shows, sorted by id.
enum MessageId : std::uint16_t {
    kVariantArrayCreate = 65488,
    kVariantBounds = 65489,
    kVariantTypeCast = 65490,
    kVariantOperation = 65491,
    kVariantArgument = 65492,
    kExternalException = 65493,  // "%x": the platform's exception code
    kAssertionFailed = 65494,
    kIntfCast = 65495,
    kSafecallException = 65496,
    kAccessViolationInModule = 65499,
    kOverflow = 65504,
    kUnderflow = 65505,
    kInvalidPointer = 65506,
    kInvalidCast = 65507,
    kAccessViolationOutside = 65508,
    kAccessViolation = 65509,
    kStackOverflow = 65510,
    kControlC = 65511,
    kPrivilege = 65512,
    kReportFormat = 65513,
    kVariantDispatch = 65517,
    kReadAccess = 65518,
    kWriteAccess = 65519,
    kTimeConversion = 65520,
    kDateConversion = 65521,
    kOutOfMemory = 65522,
    kIoErrorWithCode = 65523,  // "%d": the I/O code
    kAccessDenied = 65527,
    kDivByZero = 65531,
    kRangeError = 65532,
    kIntOverflow = 65533,
    kInvalidOp = 65534,
    kZeroDivide = 65535,
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
// bytes are copied; a conversion without its argument writes nothing.
std::size_t ExpandMessage(std::string_view format, std::span<const MessageArgument> arguments, char* out,
                          std::size_t capacity);

}  // namespace tikvan
