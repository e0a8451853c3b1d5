// What the fuzz targets share: taking values from the front of the input,
// stopping on a broken expectation, and the lead-byte sets under test.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "base/lead_bytes.h"

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
    std::string_view Take(std::size_t count) {
        const std::string_view taken = rest_.substr(0, std::min(count, rest_.size()));
        rest_.remove_prefix(taken.size());
        return taken;
    }
    std::string_view Rest() { return Take(rest_.size()); }

private:
    std::string_view rest_;
};

// The lead bytes of code page 932, or none.
inline tikvan::LeadByteSet LeadBytes(bool cp932) {
    tikvan::LeadByteSet leadBytes;
    if (cp932) {
        leadBytes.AddRange(0x81, 0x9F);
        leadBytes.AddRange(0xE0, 0xFC);
    }
    return leadBytes;
}

}  // namespace fuzz
