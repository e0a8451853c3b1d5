// Fuzz target: RenderPattern on any pattern, for a moment from 1900-01-01
// to 9999-12-31 whose calendar fields are known here.
//
// Input: byte 0 bit 0 picks the lead-byte set (code page 932, else none);
// bytes 1 and 2 are the date and time separators (any byte, zero for none);
// the next 9 bytes give year, month, day, hour, minute, second and
// millisecond; the rest is the pattern.
//
// Patterns made only of the tokens the driver's patterns are built from
// (y, m, d, h, n, s in either case, "/", ":", double-byte characters and
// bytes that are not special) must render exactly as a reference renders
// them, cut at 256 bytes. Any other pattern must still give at most 256
// bytes, each a byte of the pattern, a digit or a separator.
#include <cstdio>
#include <string>

#include "fuzz.h"
#include "timestamp/render.h"

using namespace tikvan;

namespace {

struct Fields {
    unsigned year, month, day, hour, minute, second;
};

std::string Number(unsigned value, std::size_t width) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%0*u", static_cast<int>(width), value);
    return digits;
}

// The rendering of `pattern`, or false where it holds a token whose output
// is the renderer's own choice: A, C, E, G, T, Z, a quote, or a run of three
// or more d or m meaning day or month. Without A the hour is 0..23.
bool Reference(std::string_view pattern, const Fields& f, const RegionalSettings& regional, std::string& out) {
    char last = ' ';
    for (std::size_t at = 0; at < pattern.size();) {
        const char c = pattern[at];
        if (regional.leadBytes.Has(c)) {
            out.append(pattern.substr(at, 2));
            at += 2;
            last = ' ';
            continue;
        }
        std::size_t run = 1;
        while (at + run < pattern.size() && pattern[at + run] == c) ++run;
        char token = c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : c;
        if (token >= 'A' && token <= 'Z') {
            if (token == 'M' && last == 'H') token = 'N';
            last = token;
        }
        const std::size_t capped = run >= 2 ? 2 : 1;
        switch (token) {
            case 'Y': out += run <= 2 ? Number(f.year % 100, 2) : Number(f.year, 4); break;
            case 'M': case 'D':
                if (run > 2) return false;
                out += Number(token == 'M' ? f.month : f.day, run);
                break;
            case 'H': out += Number(f.hour, capped); break;
            case 'N': out += Number(f.minute, capped); break;
            case 'S': out += Number(f.second, capped); break;
            case 'A': case 'C': case 'E': case 'G': case 'T': case 'Z': case '"': case '\'': return false;
            case '/': run = 1; if (regional.dateSeparator != 0) out += regional.dateSeparator; break;
            case ':': run = 1; if (regional.timeSeparator != 0) out += regional.timeSeparator; break;
            default: run = 1; out += c; break;
        }
        at += run;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    RegionalSettings regional = fuzz::WithLeadBytes(input.Byte() & 1);
    regional.dateSeparator = static_cast<char>(input.Byte());
    regional.timeSeparator = static_cast<char>(input.Byte());
    Fields f{};
    f.year = 1900 + input.Word(2) % 8100;
    f.month = 1 + input.Byte() % 12;
    const unsigned lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = f.year % 4 == 0 && (f.year % 100 != 0 || f.year % 400 == 0);
    f.day = 1 + input.Byte() % (lengths[f.month - 1] + (leap && f.month == 2 ? 1 : 0));
    f.hour = input.Byte() % 24;
    f.minute = input.Byte() % 60;
    f.second = input.Byte() % 60;
    const unsigned millisecond = input.Word(2) % 1000;
    const DateTimeValue value = CombineValue(DateToValue(f.year, f.month, f.day),
                                             TimeToValue(f.hour, f.minute, f.second, millisecond));
    const std::string_view pattern = input.Rest();

    const std::string got(std::string_view(RenderPattern(pattern, value, regional)));
    EXPECT(got.size() <= 256, pattern);
    const std::string_view upToZero = pattern.substr(0, pattern.find('\0'));
    std::string want;
    if (!upToZero.empty() && Reference(upToZero, f, regional, want)) {
        EXPECT(got == want.substr(0, 256), pattern);
        return 0;
    }
    for (char byte : got) {
        EXPECT((byte >= '0' && byte <= '9') || byte == regional.dateSeparator || byte == regional.timeSeparator ||
                   upToZero.find(byte) != std::string_view::npos,
               pattern);
    }
    return 0;
}
