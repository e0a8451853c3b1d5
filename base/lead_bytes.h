// The double-byte characters of the ANSI code page: the set of bytes that
// begin one, and whether such text is in use at all. The regional settings
// load them once; the switch-text operations and the renderer read them to
// keep a double-byte character together.
#pragma once

#include <array>
#include <cstdint>

namespace tikvan {

// A 256-bit map. It is empty wherever every byte is a character of its own.
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

// Double-byte text is in use (the far-east flag) exactly while the
// lead-byte set is not empty.
struct CharacterSet {
    LeadByteSet leadBytes;
    constexpr bool FarEast() const { return !leadBytes.Empty(); }
};

}  // namespace tikvan
