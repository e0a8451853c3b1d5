// Fuzz target: RenderPattern on any pattern, for a valid moment from
// 1900-01-01 to 9999-12-28.
//
// Input: byte 0 bit 0 picks the lead-byte set (code page 932, else none);
// bytes 1 and 2 are the date and time separators (any byte, zero for none);
// the next 8 bytes give year, month, day, hour, minute, second and
// millisecond; the rest is the pattern.
//
// The text is never longer than 256 bytes, and each of its bytes is a digit,
// a separator or a byte of the pattern. A pattern without ASCII letters,
// quotes, "/" and ":" comes out as it is, up to its first zero and cut at
// 256 bytes.
#include <string>

#include "fuzz.h"
#include "timestamp/render.h"

using namespace tikvan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    RegionalSettings regional;
    regional.leadBytes = fuzz::LeadBytes((input.Byte() & 1) != 0);
    regional.farEast = !regional.leadBytes.Empty();
    regional.dateSeparator = static_cast<char>(input.Byte());
    regional.timeSeparator = static_cast<char>(input.Byte());
    const unsigned year = 1900 + (input.Byte() | input.Byte() << 8) % 8100;
    const unsigned month = 1 + input.Byte() % 12, day = 1 + input.Byte() % 28;
    const unsigned hour = input.Byte() % 24, minute = input.Byte() % 60, second = input.Byte() % 60;
    const unsigned millisecond = input.Byte() * 3U % 1000;
    const DateTimeValue value =
        CombineValue(DateToValue(year, month, day), TimeToValue(hour, minute, second, millisecond));
    const std::string_view pattern = input.Rest();

    const std::string got(std::string_view(RenderPattern(pattern, value, regional)));
    EXPECT(got.size() <= 256, pattern);
    const std::string_view upToZero = pattern.substr(0, pattern.find('\0'));
    bool plain = true;
    for (const char byte : upToZero) {
        plain = plain && !((byte | 0x20) >= 'a' && (byte | 0x20) <= 'z') && byte != '"' && byte != '\'' &&
                byte != '/' && byte != ':';
    }
    if (plain) {
        EXPECT(got == upToZero.substr(0, 256), pattern);
        return 0;
    }
    for (const char byte : got) {
        EXPECT((byte >= '0' && byte <= '9') || byte == regional.dateSeparator || byte == regional.timeSeparator ||
                   upToZero.find(byte) != std::string_view::npos,
               pattern);
    }
    return 0;
}
