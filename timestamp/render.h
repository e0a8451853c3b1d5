// Rendering a timestamp pattern against a date-time value.
#pragma once

#include <cstddef>
#include <string_view>

#include "timestamp/date_time.h"
#include "timestamp/regional.h"

namespace tikvan {

// Renders `pattern` up to its end or its first zero byte:
//   y, yy       year mod 100, 2 digits      yyy and more  year, 4 digits
//   m, mm       month, 1 or 2 digits        d, dd         day, 1 or 2 digits
//   h, hh       hour                        n, nn         minute
//   s, ss       second                      m after h     minute
//   /           the date separator          :             the time separator
// Letters match in either case, but a run is a repeat of the exact byte.
// Hours are 0..23 unless "AM/PM", "A/P" or "AMPM" follows the hour outside
// quotes. Double-byte characters and all other bytes are copied unchanged.
// The result is cut at 256 bytes. Rendering never fails.
class RenderedText {
public:
    static constexpr std::size_t kCapacity = 256;

    // Appends what fits; drops the rest.
    void Append(char byte) {
        if (size_ < kCapacity) bytes_[size_++] = byte;
    }
    void Append(std::string_view bytes) {
        for (char byte : bytes) Append(byte);
    }
    operator std::string_view() const { return {bytes_, size_}; }

private:
    char bytes_[kCapacity];
    std::size_t size_ = 0;
};

RenderedText RenderPattern(std::string_view pattern, DateTimeValue value, const RegionalSettings& regional);

}  // namespace tikvan
