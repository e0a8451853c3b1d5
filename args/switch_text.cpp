#include "args/switch_text.h"

#include <algorithm>
#include <memory>

#include "platform/ascii.h"
#include "platform/win32.h"

namespace tikvan {

namespace {

// Upper-cases through CharUpperBuffA, which the program provides itself for
// both builds: "a" to "z" are raised, except as the second byte of a
// double-byte character of the ANSI code page; no byte from 0x80 changes.
// So the length and every character's position stay. `out` holds
// text.size() bytes.
std::string_view LocaleUpper(std::string_view text, char* out) {
    std::copy(text.begin(), text.end(), out);
    return {out, CharUpperBuffA(out, static_cast<DWORD>(text.size()))};
}

// The first byte of a character (a single byte or a lead byte, which no
// caller tells apart) or the trail byte of a double-byte character.
enum class ByteKind { First, Trail };

// The kind of the byte at `offset`, inside `text`: while double-byte text is
// in use, a byte preceded by an odd run of lead-byte set bytes is a trail
// byte. Only the bytes up to `offset` are looked at.
ByteKind ByteKindAt(std::string_view text, std::size_t offset, const CharacterSet& characters) {
    if (!characters.FarEast()) return ByteKind::First;
    std::size_t leadsBefore = 0;
    while (leadsBefore < offset && characters.leadBytes.Has(text[offset - 1 - leadsBefore])) ++leadsBefore;
    return leadsBefore % 2 == 1 ? ByteKind::Trail : ByteKind::First;
}

// The 1-based position of the first occurrence of `pattern` in `text` that
// does not begin on a trail byte, or 0. An exact occurrence is also what the
// locale comparison of those bytes with the pattern reports as equal, so only
// its start needs judging. A rejected occurrence begins on a trail byte, and
// the byte after a trail byte always begins a character, even when the trail
// byte's value is in the lead-byte set; so the search goes on from the next
// byte.
std::int32_t FindText(std::string_view pattern, std::string_view text, const CharacterSet& characters) {
    if (pattern.empty() || text.empty()) return 0;
    for (std::size_t at = text.find(pattern); at != std::string_view::npos; at = text.find(pattern, at + 1)) {
        if (ByteKindAt(text, at, characters) != ByteKind::Trail) return static_cast<std::int32_t>(at + 1);
    }
    return 0;
}

}  // namespace

std::string_view ByteRange(std::string_view text, std::int32_t start, std::int32_t count) {
    if (start < 1) start = 1;
    const auto first = static_cast<std::size_t>(start - 1);
    if (first >= text.size() || count < 0) return {};
    return {text.data() + first, std::min(text.size() - first, static_cast<std::size_t>(count))};
}

bool TextEquals(std::string_view left, std::string_view right) { return left == right; }

std::string_view AsciiUpper(std::string_view text, char* out) {
    std::transform(text.begin(), text.end(), out, UpperAscii);
    return {out, text.size()};
}

std::string_view ReplaceText(std::string_view text, std::string_view pattern, std::string_view replacement,
                             const CharacterSet& characters, char* out, std::size_t capacity) {
    ScratchText patternBytes(pattern.size());
    ScratchText textBytes(text.size());
    const std::string_view foldedPattern = LocaleUpper(pattern, patternBytes.Data());
    std::string_view folded = LocaleUpper(text, textBytes.Data());
    std::string_view rest = text;
    std::size_t size = 0;
    const auto append = [&](std::string_view bytes) {
        const std::size_t taken = std::min(bytes.size(), capacity - size);
        std::copy_n(bytes.begin(), taken, out + size);
        size += taken;
    };
    while (!folded.empty()) {
        const std::int32_t position = FindText(foldedPattern, folded, characters);
        if (position == 0) break;
        // Folding keeps lengths: the rest and its folded copy stay aligned.
        const auto before = static_cast<std::size_t>(position - 1);
        append(rest.substr(0, before));
        append(replacement);
        rest.remove_prefix(before + pattern.size());
        folded.remove_prefix(before + pattern.size());
    }
    append(rest);
    return {out, size};
}

}  // namespace tikvan
