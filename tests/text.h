// Code page fixtures for the unit tables and the fuzz targets: the splitter's steps and ReplaceText's owned-text form.
#pragma once

#include <string>
#include <string_view>

#include "args/arguments.h"
#include "args/switch_text.h"
#include "base/lead_bytes.h"

namespace testing_text {

constexpr tikvan::CharacterSet Cp932() {
    tikvan::CharacterSet cp932;
    cp932.leadBytes.AddRange(0x81, 0x9F);
    cp932.leadBytes.AddRange(0xE0, 0xFC);
    return cp932;
}

// The splitter's steps in a single-byte code page and in code page 932,
// where a lead byte takes the byte after it along unless that ends the text.
inline const char* StepSingleByte(const char* at) { return *at == 0 ? at : at + 1; }

inline const char* StepCp932(const char* at) {
    constexpr tikvan::LeadByteSet leadBytes = Cp932().leadBytes;
    return *at == 0 ? at : at + (leadBytes.Has(at[0]) && at[1] != 0 ? 2 : 1);
}

inline std::string ReplaceText(std::string_view text, std::string_view pattern, std::string_view replacement,
                               const tikvan::CharacterSet& characters = {}) {
    std::string out(text.size() * (replacement.size() + 1) + 1, 0);
    return std::string(tikvan::ReplaceText(text, pattern, replacement, characters, out.data(), out.size()));
}

}  // namespace testing_text
