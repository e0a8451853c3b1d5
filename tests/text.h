// The code page 932 fixture and the owned-text forms of the splitter and
// ReplaceText that the unit tables compare.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "args/arguments.h"
#include "args/switch_text.h"
#include "base/lead_bytes.h"

namespace testing_text {

constexpr tikvan::CharacterSet Cp932() {
    tikvan::CharacterSet cp932{true, {}};
    cp932.leadBytes.AddRange(0x81, 0x9F);
    cp932.leadBytes.AddRange(0xE0, 0xFC);
    return cp932;
}

inline std::vector<std::string> Split(const std::string& line, tikvan::CharacterStep step) {
    const tikvan::ArgumentList list(line.c_str(), step);
    return {list.Words().begin(), list.Words().end()};
}

inline std::string ReplaceText(std::string_view text, std::string_view pattern, std::string_view replacement,
                               const tikvan::CharacterSet& characters) {
    std::string out(text.size() * (replacement.size() + 1) + 1, 0);
    return std::string(tikvan::ReplaceText(text, pattern, replacement, characters, out.data(), out.size()));
}

}  // namespace testing_text
