#include <doctest/doctest.h>

#include <string>

#include "text.h"
#include "timestamp/render.h"

using namespace tikvan;

static double At(unsigned y, unsigned mo, unsigned d, unsigned h, unsigned mi, unsigned s, unsigned ms = 0) {
    return CombineValue(DateToValue(y, mo, d), TimeToValue(h, mi, s, ms));
}

// Where the pattern holds a 12-hour marker, only the text before it is pinned.
TEST_CASE("patterns render their fields") {
    const RegionalSettings plain, cp932{testing_text::Cp932()};
    const std::string x255(255, 'x'), cutPattern = x255 + "yyyy", cutWant = x255 + "2";
    const struct { std::string_view pattern; double value; RegionalSettings regional; std::string_view want; } rows[] = {
        {"yyyy/mm/dd hh:nn:ss\r\n", At(2003, 1, 1, 12, 0, 0, 999), plain, "2003/01/01 12:00:00\r\n"},
        {"yyyy/mm/dd hh:nn:ss", At(9999, 12, 31, 23, 59, 59, 999), plain, "9999/12/31 23:59:59"},
        {"yyyy/mm/dd hh:nn:ss", At(1, 1, 1, 9, 5, 7), RegionalSettings{{}, '-', '.'}, "0001-01-01 09.05.07"},
        {"yyyy/mm/dd hh:nn:ss", At(2003, 1, 1, 12, 0, 0), RegionalSettings{{}, 0, 0}, "20030101 120000"},
        {"hh:mm yyyy/mm", At(2003, 1, 1, 12, 34, 0), plain, "12:34 2003/01"},
        {"y yyy yyYY", At(2003, 1, 1, 0, 0, 0), plain, "03 2003 0303"},
        {"m/d h:n:s mmm ddd", At(2003, 2, 3, 4, 5, 6), plain, "2/3 4:5:6 mmm ddd"},
        {"HHH:NNN:SSS", At(2003, 2, 3, 4, 5, 6), plain, "04:05:06"},
        {"h h 'a' a/p ", At(2003, 1, 1, 0, 0, 0), plain, "0 12"},  // the next hour ends the scan; quotes hide "a"
        {"hh \x81'ampm", At(2003, 1, 1, 13, 0, 0), cp932, "01"},  // a lead byte takes the quote along
        {"hh am/p", At(2003, 1, 1, 13, 0, 0), plain, "13"},
        {"\x93\xFA" "dd\x81", At(2003, 1, 7, 0, 0, 0), cp932, "\x93\xFA" "07\x81"},  // 日, the day, a lone lead byte
        {"\x82\x6D" "m", At(2003, 4, 7, 0, 0, 0), cp932, "\x82\x6D" "4"},  // Ｍ, then the month
        {std::string_view("yy\0yy", 5), At(2003, 1, 1, 0, 0, 0), plain, "03"},
        {cutPattern, At(2003, 1, 1, 0, 0, 0), plain, cutWant},  // the output is cut at 256 bytes
    };
    for (const auto& row : rows) {
        CAPTURE(row.pattern);
        const std::string got(RenderPattern(row.pattern, row.value, row.regional));
        CHECK(got.substr(0, row.pattern.find('a') == std::string_view::npos ? got.size() : row.want.size()) == row.want);
    }
}
