#include <cstdint>
#include <string>

#include "check.h"
#include "timestamp/date_time.h"

using namespace tikvan;

// Fixed points of the calendar, checked by the compiler.
static_assert(DateToValue(1899, 12, 30) == 0);
static_assert(DateToValue(1899, 12, 31) == 1);
static_assert(DateToValue(2003, 1, 1) == 37'622);
static_assert(DateToValue(2000, 12, 31) == 36'891);  // last day of a 400-year cycle
static_assert(DateToValue(1996, 12, 31) == 35'430);  // last day of a leap year
static_assert(DateToValue(9999, 12, 31) == 2'958'465);
static_assert(DateToValue(1, 1, 1) == -693'593);
static_assert(ValueToDate(36'891) == CalendarDate{2000, 12, 31});
static_assert(ValueToDate(35'430) == CalendarDate{1996, 12, 31});
static_assert(ValueToDate(0) == CalendarDate{1899, 12, 30});
static_assert(ValueToDate(-693'594) == CalendarDate{0, 0, 0});
static_assert(TimeToValue(12, 0, 0, 0) == 0.5);
static_assert(DateToValue(2003, 1, 1) + TimeToValue(12, 0, 0, 0) == 37'622.5);
static_assert(ValueToTime(37'622.5) == TimeOfDay{12, 0, 0, 0});
static_assert(IsGregorianLeap(2000) && IsGregorianLeap(2004) && !IsGregorianLeap(1900) && !IsGregorianLeap(2100));

namespace {

std::string DateText(std::uint32_t y, std::uint32_t m, std::uint32_t d) {
    return std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(d);
}

bool LeapByDivision(std::uint32_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

}  // namespace

// Every day of 0001-01-01 .. 9999-12-31 reads back as itself, one day after
// the day before it.
TEST(every_day_round_trips) {
    double previous = DateToValue(1, 1, 1) - 1;
    for (std::uint32_t y = 1; y <= 9999; ++y) {
        CHECK_EQ_AT(IsGregorianLeap(y), LeapByDivision(y), std::to_string(y));
        for (std::uint32_t m = 1; m <= 12; ++m) {
            const std::uint32_t length = calendar::kDaysInMonth[LeapByDivision(y) ? 1 : 0][m];
            for (std::uint32_t d = 1; d <= length; ++d) {
                const double value = DateToValue(y, m, d);
                const CalendarDate back = ValueToDate(value);
                if (value != previous + 1 || back.year != y || back.month != m || back.day != d) {
                    CHECK_AT(false, DateText(y, m, d));
                    return;
                }
                previous = value;
            }
        }
    }
}

// Every millisecond of the last and the first supported day, after or
// before day 0, reads back with no carry into the next second or day:
// 12:00:00.999 stays 12:00:00.
TEST(every_millisecond_round_trips) {
    const struct {
        std::uint16_t year, month, day;
    } days[] = {{9999, 12, 31}, {1, 1, 1}, {1899, 12, 30}};
    for (const auto& day : days) {
        const double date = DateToValue(day.year, day.month, day.day);
        std::int64_t wrong = 0;
        for (std::uint32_t t = 0; t < calendar::kMillisecondsPerDay; ++t) {
            const TimeOfDay want{static_cast<std::uint16_t>(t / 3'600'000), static_cast<std::uint16_t>(t / 60'000 % 60),
                                 static_cast<std::uint16_t>(t / 1'000 % 60), static_cast<std::uint16_t>(t % 1'000)};
            const double value = CombineValue(date, TimeToValue(want.hour, want.minute, want.second, want.millisecond));
            if (!(ValueToTime(value) == want) || !(ValueToDate(value) == CalendarDate{day.year, day.month, day.day})) {
                ++wrong;
            }
        }
        CHECK_EQ_AT(wrong, 0, DateText(day.year, day.month, day.day));
    }
}

TEST(invalid_fields_raise_the_conversion_failure) {
    const std::uint32_t dates[][3] = {{0, 1, 1},    {10000, 1, 1}, {2000, 0, 1},  {2000, 13, 1},
                                      {2000, 1, 0}, {2001, 4, 31}, {1900, 2, 29}, {2100, 2, 29}, {2001, 2, 29}};
    for (const auto& d : dates) CHECK_THROWS_AT(DateToValue(d[0], d[1], d[2]), EConvertError, DateText(d[0], d[1], d[2]));
    const std::uint32_t times[][4] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}};
    for (const auto& t : times) CHECK_THROWS_AT(TimeToValue(t[0], t[1], t[2], t[3]), EConvertError, DateText(t[0], t[1], t[2]));
}
