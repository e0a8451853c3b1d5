// The clock, and the date-time value with its conversions to and from
// calendar fields.
//
// A DateTimeValue is a double: its whole part counts days from 1899-12-30
// (day 0), its fraction is the elapsed part of the day. Values are read back
// by rounding to the nearest millisecond, the only rounding anywhere, so the
// printed seconds are always the clock's seconds.
#pragma once

#include <cstdint>

#include "base/failure.h"

namespace tikvan {

using DateTimeValue = double;

struct CalendarDate {
    std::uint16_t year;   // 1..9999; 0 for a day before 0001-01-01
    std::uint16_t month;  // 1..12
    std::uint16_t day;    // 1..31
    friend constexpr bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

struct TimeOfDay {
    std::uint16_t hour;         // 0..23
    std::uint16_t minute;       // 0..59
    std::uint16_t second;       // 0..59
    std::uint16_t millisecond;  // 0..999
    friend constexpr bool operator==(const TimeOfDay&, const TimeOfDay&) = default;
};

// A moment as whole days from 0001-01-01 (day 1) and milliseconds of the day.
struct MillisecondStamp {
    std::int32_t dayNumber;
    std::int32_t millisecondOfDay;  // 0..86,399,999
    friend constexpr bool operator==(const MillisecondStamp&, const MillisecondStamp&) = default;
};

namespace calendar {

inline constexpr std::int64_t kMillisecondsPerDay = 86'400'000;
inline constexpr std::int32_t kDayNumberOfDayZero = 693'594;  // 1899-12-30
inline constexpr std::int32_t kDaysPer400Years = 146'097;
inline constexpr std::int32_t kDaysPer100Years = 36'524;
inline constexpr std::int32_t kDaysPer4Years = 1'461;
inline constexpr std::int32_t kDaysPerYear = 365;

// Days in each month, January first; row 1 is a leap year.
inline constexpr std::uint16_t kDaysInMonth[2][12] = {
    {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};

// Nearest integer to x, ties to even. Exact for |x| < 2^53: x minus its
// truncation is always representable.
constexpr std::int64_t RoundHalfEven(double x) {
    std::int64_t whole = static_cast<std::int64_t>(x);
    const double fraction = x - static_cast<double>(whole);
    const bool odd = (whole & 1) != 0;
    if (fraction > 0.5 || (fraction == 0.5 && odd)) ++whole;
    if (fraction < -0.5 || (fraction == -0.5 && odd)) --whole;
    return whole;
}

// Whole days in the years 1 .. year-1 of the proleptic Gregorian calendar.
constexpr std::int32_t DaysBeforeYear(std::int32_t year) {
    const std::int32_t i = year - 1;
    return i * 365 + i / 4 - i / 100 + i / 400;
}

}  // namespace calendar

// True for a proleptic Gregorian leap year: 2000 and 2004 are, 1900 and 2100
// are not.
constexpr bool IsGregorianLeap(std::uint32_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// Whole-day value of a date: 1899-12-30 is 0, 0001-01-01 is -693,593,
// 9999-12-31 is 2,958,465. Raises EConvertError unless 1 <= year <= 9999,
// 1 <= month <= 12 and 1 <= day <= the month's length.
constexpr DateTimeValue DateToValue(std::uint32_t year, std::uint32_t month, std::uint32_t day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12) RaiseDateConversion();
    const auto& lengths = calendar::kDaysInMonth[IsGregorianLeap(year) ? 1 : 0];
    if (day < 1 || day > lengths[month - 1]) RaiseDateConversion();
    std::int32_t dayOfYear = static_cast<std::int32_t>(day);
    for (std::uint32_t m = 1; m < month; ++m) dayOfYear += lengths[m - 1];
    return calendar::DaysBeforeYear(static_cast<std::int32_t>(year)) + dayOfYear - calendar::kDayNumberOfDayZero;
}

// Fraction of the day elapsed at a time: milliseconds since midnight over
// 86,400,000, in [0, 1). Raises EConvertError unless hour <= 23,
// minute <= 59, second <= 59 and millisecond <= 999.
constexpr DateTimeValue TimeToValue(std::uint32_t hour, std::uint32_t minute, std::uint32_t second,
                                    std::uint32_t millisecond) {
    if (hour > 23 || minute > 59 || second > 59 || millisecond > 999) RaiseTimeConversion();
    const std::int64_t elapsed = hour * 3'600'000LL + minute * 60'000LL + second * 1'000LL + millisecond;
    return static_cast<double>(elapsed) / static_cast<double>(calendar::kMillisecondsPerDay);
}

// One value from a date's whole-day value and a time's fraction. Before day
// 0 the fraction is subtracted: negative values are read back by their
// magnitude, so the moment still reads back exactly.
constexpr DateTimeValue CombineValue(DateTimeValue date, DateTimeValue time) {
    return date < 0 ? date - time : date + time;
}

// The moment of a value, rounded to the nearest millisecond (ties to even).
// Negative values are read by their magnitude. Valid for |x| < 10^8 days.
constexpr MillisecondStamp ValueToStamp(DateTimeValue x) {
    const std::int64_t t = calendar::RoundHalfEven(x * static_cast<double>(calendar::kMillisecondsPerDay));
    const std::int64_t u = t < 0 ? -t : t;
    const auto millisecond = static_cast<std::int32_t>(u % calendar::kMillisecondsPerDay);
    const auto days = static_cast<std::int32_t>(u / calendar::kMillisecondsPerDay);
    return {t < 0 ? calendar::kDayNumberOfDayZero - days : calendar::kDayNumberOfDayZero + days, millisecond};
}

// The calendar date of a value; {0, 0, 0} for a day number of 0 or less.
// Walks the 400-, 100-, 4- and 1-year cycles from 0001-01-01, keeping the
// last day of a 400-year cycle and of a leap year in their own cycle.
constexpr CalendarDate ValueToDate(DateTimeValue x) {
    const std::int32_t n = ValueToStamp(x).dayNumber;
    if (n <= 0) return {0, 0, 0};
    std::int32_t r = n - 1;  // days since 0001-01-01, >= 0
    std::int32_t year = 1 + 400 * (r / calendar::kDaysPer400Years);
    r %= calendar::kDaysPer400Years;  // 0..146,096
    std::int32_t centuries = r / calendar::kDaysPer100Years;
    r %= calendar::kDaysPer100Years;
    if (centuries == 4) {  // 31 December of the cycle's last, leap, year
        centuries = 3;
        r += calendar::kDaysPer100Years;
    }
    year += 100 * centuries;
    year += 4 * (r / calendar::kDaysPer4Years);
    r %= calendar::kDaysPer4Years;  // 0..1,460
    std::int32_t years = r / calendar::kDaysPerYear;
    r %= calendar::kDaysPerYear;
    if (years == 4) {  // 31 December of a leap year
        years = 3;
        r += calendar::kDaysPerYear;
    }
    year += years;  // r is now the day of the year from 0, 0..365
    const auto& lengths = calendar::kDaysInMonth[IsGregorianLeap(static_cast<std::uint32_t>(year)) ? 1 : 0];
    std::uint16_t months = 0;  // whole months before the day, 0..11
    while (r >= lengths[months]) r -= lengths[months++];
    return {static_cast<std::uint16_t>(year), static_cast<std::uint16_t>(months + 1), static_cast<std::uint16_t>(r + 1)};
}

// The time of day of a value, from its millisecond of the day.
constexpr TimeOfDay ValueToTime(DateTimeValue x) {
    const std::int32_t t = ValueToStamp(x).millisecondOfDay;
    const std::int32_t minutes = t / 60'000;
    const std::int32_t rest = t % 60'000;
    return {static_cast<std::uint16_t>(minutes / 60), static_cast<std::uint16_t>(minutes % 60),
            static_cast<std::uint16_t>(rest / 1'000), static_cast<std::uint16_t>(rest % 1'000)};
}

// Reads the local clock once. Raises EConvertError for a reading outside
// 0001-01-01 .. 9999-12-31; the date is checked before the time.
DateTimeValue CaptureLocalTime();

}  // namespace tikvan
