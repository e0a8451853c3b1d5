#include <doctest/doctest.h>

#include <cstdint>

#include "timestamp/date_time.h"

using namespace tikvan;

static_assert(DateToValue(1899, 12, 30) == 0);
static_assert(DateToValue(9999, 12, 31) == 2'958'465);
static_assert(ValueToDate(-693'594) == CalendarDate{0, 0, 0});
static_assert(DateToValue(2003, 1, 1) + TimeToValue(12, 0, 0, 0) == 37'622.5);
static_assert(ValueToTime(37'622.5) == TimeOfDay{12, 0, 0, 0});

#ifndef UNIT_MILLISECOND_STRIDE
#define UNIT_MILLISECOND_STRIDE 7  // prime to 1,000 and 60,000: it meets every field value
#endif

// Every day of 0001-01-01 .. 9999-12-31 reads back as itself, one day after the one before.
TEST_CASE("every day round-trips") {
    double previous = DateToValue(1, 1, 1) - 1;
    std::int64_t wrong = 0;
    for (std::uint16_t y = 1; y <= 9999; ++y) {
        const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
        for (std::uint16_t m = 1; m <= 12; ++m) {
            for (std::uint16_t d = 1; d <= calendar::kDaysInMonth[leap ? 1 : 0][m - 1]; ++d) {
                const double value = DateToValue(y, m, d);
                if (value != previous + 1 || !(ValueToDate(value) == CalendarDate{y, m, d})) ++wrong;
                previous = value;
            }
        }
    }
    CHECK(wrong == 0);
    CHECK(previous == DateToValue(9999, 12, 31));
}

// Every millisecond of the first, the last and day 0 reads back with no carry into the next.
TEST_CASE("every millisecond round-trips") {
    for (const CalendarDate& day : {CalendarDate{9999, 12, 31}, CalendarDate{1, 1, 1}, CalendarDate{1899, 12, 30}}) {
        CAPTURE(day.year);
        const double date = DateToValue(day.year, day.month, day.day);
        std::int64_t wrong = 0;
        for (std::int64_t t = 0; t < calendar::kMillisecondsPerDay; t += UNIT_MILLISECOND_STRIDE) {
            const TimeOfDay want{static_cast<std::uint16_t>(t / 3'600'000), static_cast<std::uint16_t>(t / 60'000 % 60),
                                 static_cast<std::uint16_t>(t / 1'000 % 60), static_cast<std::uint16_t>(t % 1'000)};
            const double value = CombineValue(date, TimeToValue(want.hour, want.minute, want.second, want.millisecond));
            if (!(ValueToTime(value) == want) || !(ValueToDate(value) == day)) ++wrong;
        }
        CHECK(wrong == 0);
    }
}

TEST_CASE("invalid fields raise the conversion failure") {
    const std::uint32_t dates[][3] = {{0, 1, 1}, {10000, 1, 1}, {2000, 0, 1}, {2000, 13, 1}, {2000, 1, 0}, {2001, 4, 31}, {2001, 2, 29}};
    for (const auto& d : dates) CHECK_THROWS_AS(DateToValue(d[0], d[1], d[2]), EConvertError);
    const std::uint32_t times[][4] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}};
    for (const auto& t : times) CHECK_THROWS_AS(TimeToValue(t[0], t[1], t[2], t[3]), EConvertError);
    CHECK_NOTHROW(TimeToValue(23, 59, 59, 999));
}
