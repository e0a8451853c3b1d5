// The one digit writer: the timestamp's fields, the numbers of the failure
// report and the run-time error line are all written by it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tikvan {

// The most digits WriteDigits writes without padding: 2^64 - 1 in base 10.
inline constexpr std::size_t kMostDigits = 20;

// Writes `value` in base 10 or 16 (upper-case digits), with zeros in front
// up to `width` digits, into `out`, and gives the count of bytes written.
// `out` holds at least the larger of `width` and kMostDigits bytes.
constexpr std::size_t WriteDigits(std::uint64_t value, unsigned base, std::size_t width, char* out) {
    std::size_t count = 1;
    for (std::uint64_t rest = value / base; rest != 0; rest /= base) ++count;
    if (count < width) count = width;
    for (std::size_t at = count; at > 0; --at) {
        out[at - 1] = "0123456789ABCDEF"[value % base];
        value /= base;
    }
    return count;
}

}  // namespace tikvan
