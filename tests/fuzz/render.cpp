// Fuzz target: RenderPattern for any settings (10 bytes: lead bytes, separators,
// a valid moment) and pattern: at most 256 bytes, and a pattern without letters,
// quotes, "/" and ":" passes through to its first zero, cut at 256 bytes.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>

#include "text.h"
#include "timestamp/render.h"

using namespace tikvan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    unsigned char b[10] = {};
    const std::size_t head = std::min<std::size_t>(size, sizeof b);
    std::copy(data, data + head, b);
    RegionalSettings regional;
    if ((b[0] & 1) != 0) regional.characters = testing_text::Cp932();
    regional.dateSeparator = static_cast<char>(b[1]), regional.timeSeparator = static_cast<char>(b[2]);
    const auto value = CombineValue(DateToValue(1900 + (b[3] | b[4] << 8) % 8100, 1 + b[5] % 12, 1 + b[6] % 28),
                                    TimeToValue(b[7] % 24, b[8] % 60, b[9] % 60, b[9] * 3U % 1000));
    const std::string_view pattern(reinterpret_cast<const char*>(data) + head, size - head);
    const std::string got(std::string_view(RenderPattern(pattern, value, regional)));
    const std::string_view upToZero = pattern.substr(0, pattern.find('\0'));
    const bool plain = std::none_of(upToZero.begin(), upToZero.end(), [](char c) {
        return std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '"' || c == '\'' || c == '/' || c == ':';
    });
    if (got.size() > 256 || (plain && got != upToZero.substr(0, 256))) std::abort();
    return 0;
}
