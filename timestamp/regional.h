// The regional values that the program's text handling follows.
#pragma once

#include <array>
#include <cstdint>

namespace tikvan {

// The set of bytes that begin a double-byte character: a 256-bit map.
class LeadByteSet {
public:
    constexpr bool Has(unsigned char byte) const { return (bits_[byte >> 5] >> (byte & 31)) & 1U; }
    constexpr bool Has(char byte) const { return Has(static_cast<unsigned char>(byte)); }
    constexpr bool Empty() const {
        for (auto word : bits_) {
            if (word != 0) return false;
        }
        return true;
    }
    // Adds every byte from `low` to `high`; nothing when high < low.
    constexpr void AddRange(unsigned low, unsigned high) {
        for (unsigned byte = low; byte <= high && byte < 256; ++byte) bits_[byte >> 5] |= 1U << (byte & 31);
    }

private:
    std::array<std::uint32_t, 8> bits_{};
};

// Filled once at start-up, read-only afterwards. The lead-byte set is
// non-empty only while the far-east flag is on. A separator byte of zero
// means that no separator is written.
struct RegionalSettings {
    LeadByteSet leadBytes;
    bool farEast = false;
    char dateSeparator = '/';
    char timeSeparator = ':';
};

// Fills the process's record from the thread's locale.
void LoadRegionalSettings();

// The process's record.
const RegionalSettings& Regional();

}  // namespace tikvan
