#include "args/switch_text.h"

#include <algorithm>
#include <memory>

#include "platform/win32.h"

namespace tikvan {

std::string_view ByteRange(std::string_view text, std::int32_t start, std::int32_t count) {
    if (start < 1) start = 1;
    const auto first = static_cast<std::size_t>(start - 1);
    if (first >= text.size() || count < 0) return {};
    return {text.data() + first, std::min(text.size() - first, static_cast<std::size_t>(count))};
}

bool TextEquals(std::string_view left, std::string_view right) { return left == right; }

std::string_view AsciiUpper(std::string_view text, char* out) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char byte = text[i];
        out[i] = byte >= 'a' && byte <= 'z' ? static_cast<char>(byte - 0x20) : byte;
    }
    return {out, text.size()};
}

std::string_view LocaleUpper(std::string_view text, char* out) {
    std::copy(text.begin(), text.end(), out);
    if (!text.empty()) CharUpperBuffA(out, static_cast<DWORD>(text.size()));
    return {out, text.size()};
}

ByteKind ByteKindAt(const char* text, std::size_t offset, const LeadByteSet& leadBytes) {
    if (text[offset] == 0 || leadBytes.Empty()) return ByteKind::Single;
    std::size_t leadsBefore = 0;
    while (leadsBefore < offset && leadBytes.Has(text[offset - 1 - leadsBefore])) ++leadsBefore;
    if (leadsBefore % 2 == 1) return ByteKind::Trail;
    return leadBytes.Has(text[offset]) ? ByteKind::Lead : ByteKind::Single;
}

// An exact occurrence is also what the locale comparison of those bytes with
// the pattern reports as equal, so only its start needs judging. A rejected
// occurrence begins on a trail byte, and the byte after a trail byte always
// begins a character, even when the trail byte's value is in the lead-byte
// set; so the search goes on from the next byte.
std::int32_t FindText(std::string_view pattern, std::string_view text, const LeadByteSet& leadBytes) {
    if (pattern.empty() || text.empty()) return 0;
    // ByteKindAt looks at the bytes up to `at` only, all inside the text.
    for (std::size_t at = text.find(pattern); at != std::string_view::npos; at = text.find(pattern, at + 1)) {
        if (ByteKindAt(text.data(), at, leadBytes) != ByteKind::Trail) return static_cast<std::int32_t>(at + 1);
    }
    return 0;
}

std::string_view ReplaceText(std::string_view text, std::string_view pattern, std::string_view replacement,
                             const LeadByteSet& leadBytes, char* out, std::size_t capacity) {
    ScratchText foldedBytes(pattern.size() + text.size() + 1);
    const std::string_view foldedPattern = LocaleUpper(pattern, foldedBytes.Data());
    std::string_view folded = LocaleUpper(text, foldedBytes.Data() + pattern.size());
    std::string_view rest = text;
    std::size_t size = 0;
    const auto append = [&](std::string_view bytes) {
        const std::size_t taken = std::min(bytes.size(), capacity - size);
        std::copy_n(bytes.begin(), taken, out + size);
        size += taken;
    };
    while (!folded.empty()) {
        const std::int32_t position = FindText(foldedPattern, folded, leadBytes);
        if (position == 0) break;
        const auto before = static_cast<std::size_t>(position - 1);
        append(rest.substr(0, before));
        append(replacement);
        rest.remove_prefix(std::min(rest.size(), before + pattern.size()));
        folded.remove_prefix(std::min(folded.size(), before + foldedPattern.size()));
    }
    append(rest);
    return {out, size};
}

}  // namespace tikvan
