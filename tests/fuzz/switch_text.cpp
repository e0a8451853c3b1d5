// Fuzz target: the switch-text operations ByteRange, ByteKindAt, FindText
// and ReplaceText, against a forward walk over the characters of the text.
//
// Input: byte 0 picks the lead-byte set (0 none, 1 code page 932, 2 the
// 0x81..0xFE of code pages 936, 949 and 950); bytes 1-4 and 5-8 are a
// signed start and count for ByteRange; byte 9 is the pattern's length; then
// the pattern; the rest is the text.
#include <string>
#include <vector>

#include "args/switch_text.h"
#include "fuzz.h"

using namespace tikvan;

namespace {

// The kind of every byte, walking from the start: a lead byte takes the byte
// after it as its trail byte, unless that byte ends the text or is a zero.
std::vector<ByteKind> Kinds(std::string_view text, const RegionalSettings& regional) {
    std::vector<ByteKind> kinds(text.size() + 1, ByteKind::Single);
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (!regional.leadBytes.Has(text[at])) continue;
        kinds[at] = ByteKind::Lead;
        if (at + 1 < text.size() && text[at + 1] != 0) kinds[++at] = ByteKind::Trail;
    }
    return kinds;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const RegionalSettings regional = fuzz::WithLeadBytes(input.Byte() % 3);
    const auto start = static_cast<std::int32_t>(input.Word(4));
    const auto count = static_cast<std::int32_t>(input.Word(4));
    const std::string pattern(input.Take(input.Byte()));
    const std::string text(input.Rest());
    const std::vector<ByteKind> kinds = Kinds(text, regional);

    // ByteRange clamps the start to 1 and the count to what the text holds.
    const std::int64_t first = start < 1 ? 1 : start;
    const std::string range = first > static_cast<std::int64_t>(text.size()) || count < 0
                                  ? std::string()
                                  : text.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(count));
    EXPECT(ByteRange(text, start, count) == range, text);

    // ByteKindAt up to and including the terminating zero.
    for (std::size_t at = 0; at <= text.size() && (at == 0 || text[at - 1] != 0); ++at) {
        EXPECT(ByteKindAt(text.c_str(), at, regional.leadBytes) == kinds[at], text);
    }

    // FindText: the first exact occurrence that does not begin on a trail byte.
    std::int32_t found = 0;
    for (std::size_t at = 0; !pattern.empty() && found == 0 && at < text.size(); ++at) {
        if (text.compare(at, pattern.size(), pattern) == 0 && kinds[at] != ByteKind::Trail) found = static_cast<std::int32_t>(at + 1);
    }
    EXPECT(FindText(pattern, text, regional.leadBytes) == found, pattern + '|' + text);

    // Removing "/" drops exactly the slashes that begin a character.
    std::string kept;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '/' || kinds[at] == ByteKind::Trail) kept += text[at];
    }
    EXPECT(testing_text::ReplaceText(text, "/", "", regional.leadBytes) == kept, text);

    // Replacing the pattern by a byte the text lacks: between the marks stand
    // the text's own bytes, and each mark stands for |pattern| bytes of the
    // text that fold to the folded pattern.
    int free = 0;
    while (free < 256 && text.find(static_cast<char>(free)) != std::string::npos) ++free;
    if (pattern.empty() || free == 256) return 0;
    const char mark = static_cast<char>(free);
    const std::string replaced = testing_text::ReplaceText(text, pattern, std::string(1, mark), regional.leadBytes);
    const std::string foldedText = testing_text::LocaleUpper(text);
    const std::string foldedPattern = testing_text::LocaleUpper(pattern);
    std::size_t at = 0;
    for (char byte : replaced) {
        if (byte != mark) {
            EXPECT(at < text.size() && text[at++] == byte, pattern + '|' + text);
            continue;
        }
        EXPECT(foldedText.compare(at, pattern.size(), foldedPattern) == 0, pattern + '|' + text);
        at += pattern.size();
    }
    EXPECT(at == text.size(), pattern + '|' + text);
    EXPECT((replaced == text) == (FindText(foldedPattern, foldedText, regional.leadBytes) == 0), pattern + '|' + text);
    return 0;
}
