// What the fuzz targets share: taking values from the front of the input,
// stopping on a broken expectation, and the lead-byte sets under test.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text.h"
#include "timestamp/regional.h"

namespace fuzz {

// Prints the expectation and the bytes concerned, then aborts: libFuzzer
// keeps the input as a crash.
[[noreturn]] inline void Fail(const char* file, int line, const char* what, std::string_view bytes) {
    std::fprintf(stderr, "%s:%d: expectation failed: %s\n  bytes:", file, line, what);
    for (unsigned char byte : bytes) std::fprintf(stderr, " %02X", byte);
    std::fprintf(stderr, "\n");
    std::abort();
}

#define EXPECT(cond, bytes) ((cond) ? void() : fuzz::Fail(__FILE__, __LINE__, #cond, (bytes)))

// The input, consumed from the front; past its end every value is zero.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}
    unsigned char Byte() {
        const std::string_view byte = Take(1);
        return byte.empty() ? 0 : static_cast<unsigned char>(byte[0]);
    }
    // `count` bytes, little-endian.
    std::uint32_t Word(int count) {
        std::uint32_t word = 0;
        for (int i = 0; i < count; ++i) word |= static_cast<std::uint32_t>(Byte()) << (8 * i);
        return word;
    }
    std::string_view Take(std::size_t count) {
        const std::string_view taken = rest_.substr(0, std::min(count, rest_.size()));
        rest_.remove_prefix(taken.size());
        return taken;
    }
    std::string_view Rest() { return Take(rest_.size()); }

private:
    std::string_view rest_;
};

using testing_text::IsCp932Lead;

// 0: no lead bytes (a single-byte code page); 1: code page 932; 2: the
// 0x81..0xFE of code pages 936, 949 and 950.
inline tikvan::RegionalSettings WithLeadBytes(unsigned which) {
    tikvan::RegionalSettings regional;
    if (which == 1) {
        regional.leadBytes = testing_text::Cp932LeadBytes();
    } else if (which == 2) {
        regional.leadBytes.AddRange(0x81, 0xFE);
    }
    regional.farEast = !regional.leadBytes.Empty();
    return regional;
}

}  // namespace fuzz
