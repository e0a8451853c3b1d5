#include "args/switch_text.h"

#include <algorithm>
#include <cstddef>

#include "platform/win32.h"

namespace tikvan {

std::string ByteRange(std::string_view text, std::int32_t start, std::int32_t count) {
    if (start < 1) start = 1;
    const auto first = static_cast<std::size_t>(start - 1);
    if (first >= text.size() || count < 0) return {};
    return std::string(text.substr(first, static_cast<std::size_t>(count)));
}

bool TextEquals(std::string_view left, std::string_view right) { return left == right; }

std::string AsciiUpper(std::string_view text) {
    std::string upper(text);
    for (char& byte : upper) {
        if (byte >= 'a' && byte <= 'z') byte = static_cast<char>(byte - 0x20);
    }
    return upper;
}

std::string LocaleUpper(std::string_view text) {
    std::string upper(text);
    if (!upper.empty()) CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    return upper;
}

ByteKind ByteKindAt(const char* text, std::size_t offset, const RegionalSettings& regional) {
    if (!regional.farEast || text[offset] == 0) return ByteKind::Single;
    std::size_t leadsBefore = 0;
    while (leadsBefore < offset && regional.leadBytes.Has(text[offset - 1 - leadsBefore])) ++leadsBefore;
    if (leadsBefore % 2 == 1) return ByteKind::Trail;
    return regional.leadBytes.Has(text[offset]) ? ByteKind::Lead : ByteKind::Single;
}

// An exact occurrence is also what the locale comparison of those bytes with
// the pattern reports as equal, so only its start needs judging. A rejected
// occurrence begins on a trail byte, and the byte after a trail byte always
// begins a character, even when the trail byte's value is in the lead-byte
// set; so the search goes on from the next byte.
std::int32_t FindText(std::string_view pattern, std::string_view text, const RegionalSettings& regional) {
    if (pattern.empty() || text.empty()) return 0;
    // ByteKindAt looks at the bytes up to `at` only, all inside the text.
    for (std::size_t at = text.find(pattern); at != std::string_view::npos; at = text.find(pattern, at + 1)) {
        if (ByteKindAt(text.data(), at, regional) != ByteKind::Trail) return static_cast<std::int32_t>(at + 1);
    }
    return 0;
}

std::string ReplaceText(std::string_view text, std::string_view pattern, std::string_view replacement,
                        const RegionalSettings& regional) {
    const std::string foldedPattern = LocaleUpper(pattern);
    const std::string foldedText = LocaleUpper(text);
    std::string_view folded = foldedText;
    std::string_view rest = text;
    std::string result;
    while (!folded.empty()) {
        const std::int32_t position = FindText(foldedPattern, folded, regional);
        if (position == 0) break;
        const auto before = static_cast<std::size_t>(position - 1);
        result.append(rest.substr(0, before));
        result.append(replacement);
        rest.remove_prefix(std::min(rest.size(), before + pattern.size()));
        folded.remove_prefix(std::min(folded.size(), before + foldedPattern.size()));
    }
    result.append(rest);
    return result;
}

}  // namespace tikvan
