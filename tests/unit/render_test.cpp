#include <doctest/doctest.h>

#include <string>

#include "text.h"
#include "timestamp/render.h"

using namespace tikvan;

namespace {

double At(std::uint16_t y, std::uint16_t mo, std::uint16_t d, std::uint16_t h, std::uint16_t mi, std::uint16_t s,
          std::uint16_t ms = 0) {
    return CombineValue(DateToValue(y, mo, d), TimeToValue(h, mi, s, ms));
}

RegionalSettings Separators(char date, char time) {
    RegionalSettings regional;
    regional.dateSeparator = date;
    regional.timeSeparator = time;
    return regional;
}

RegionalSettings Cp932() {
    RegionalSettings regional;
    regional.leadBytes = testing_text::Cp932LeadBytes();
    regional.farEast = true;
    return regional;
}

}  // namespace

TEST_CASE("patterns render zero-padded fields") {
    const RegionalSettings plain;
    const struct {
        std::string_view pattern;
        double value;
        RegionalSettings regional;
        std::string_view want;
    } rows[] = {
        {"yyyy/mm/dd", At(2003, 1, 1, 12, 0, 0), plain, "2003/01/01"},
        {"yyyy/mm/dd hh:nn:ss\r\n", At(2003, 1, 1, 12, 0, 0), plain, "2003/01/01 12:00:00\r\n"},
        {"hh:nn:ss\r\n", At(2003, 1, 1, 9, 5, 7), plain, "09:05:07\r\n"},
        {"hh:nn:ss", At(2003, 1, 1, 13, 0, 0), Separators('-', '.'), "13.00.00"},
        // Seconds are the clock's: never rounded up into the next second or day.
        {"hh:nn:ss", At(2003, 1, 1, 12, 0, 0, 999), plain, "12:00:00"},
        {"yyyy/mm/dd hh:nn:ss", At(9999, 12, 31, 23, 59, 59, 999), plain, "9999/12/31 23:59:59"},
        {"yyyy/mm/dd hh:nn:ss", At(1, 1, 1, 0, 0, 0), plain, "0001/01/01 00:00:00"},
        {"yyyy/mm/dd", At(999, 3, 4, 0, 0, 0), plain, "0999/03/04"},
        // Regional separators, and a zero byte that writes nothing.
        {"yyyy/mm/dd", At(2003, 1, 1, 12, 0, 0), Separators('.', ':'), "2003.01.01"},
        {"yyyy/mm/dd hh:nn:ss", At(2003, 1, 1, 12, 0, 0), Separators('\0', '\0'), "20030101 120000"},
        // Run lengths, letter case and the minute after an hour.
        {"hh:mm yyyy/mm", At(2003, 1, 1, 12, 34, 0), plain, "12:34 2003/01"},
        {"yyYY", At(2003, 1, 1, 0, 0, 0), plain, "0303"},
        {"y yy yyy", At(2003, 1, 1, 0, 0, 0), plain, "03 03 2003"},
        {"m/d h:n:s", At(2003, 2, 3, 4, 5, 6), plain, "2/3 4:5:6"},
        {"HHH:NNN:SSS", At(2003, 2, 3, 4, 5, 6), plain, "04:05:06"},
        // The 12-hour form only with a marker after the hour, outside quotes;
        // what the marker itself gives is not pinned.
        {"hh ampm", At(2003, 1, 1, 13, 0, 0), plain, "01 "},
        {"h a/p", At(2003, 1, 1, 0, 0, 0), plain, "12 "},
        {"hh 'ampm'", At(2003, 1, 1, 13, 0, 0), plain, "13 'a"},
        // Double-byte characters pass whole, trail bytes and all; a zero byte
        // ends the pattern.
        {"\x93\xFA" "dd", At(2003, 1, 7, 0, 0, 0), Cp932(), "\x93\xFA" "07"},
        {"\x82\x6D" "m", At(2003, 4, 7, 0, 0, 0), Cp932(), "\x82\x6D" "4"},  // Ｍ, then the month
        {std::string_view("yy\0yy", 5), At(2003, 1, 1, 0, 0, 0), plain, "03"},
    };
    for (const auto& row : rows) {
        CAPTURE(row.pattern);
        const std::string got(RenderPattern(row.pattern, row.value, row.regional));
        if (row.pattern.find('a') == std::string_view::npos) {
            CHECK(got == row.want);
        } else {
            CHECK(got.substr(0, row.want.size()) == row.want);
        }
    }
}

TEST_CASE("output is cut at 256 bytes") {
    const double value = At(2003, 1, 1, 0, 0, 0);
    const RegionalSettings plain;
    std::string years;
    for (int i = 0; i < 100; ++i) years += "yyyy ";
    CHECK(RenderPattern(years, value, plain).size() == 256);
    CHECK(std::string(RenderPattern(std::string(300, 'x'), value, plain)) == std::string(256, 'x'));
    CHECK(std::string(RenderPattern(std::string(255, 'x') + "yyyy", value, plain)) == std::string(255, 'x') + "2");
}
