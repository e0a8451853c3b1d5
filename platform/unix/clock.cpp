// GetLocalTime from the POSIX clock and the local time zone.
#include <ctime>
#include <limits>

#include "platform/win32.h"

namespace {

// A year as SYSTEMTIME's 16-bit field holds it. A year outside that field
// (the POSIX clock reaches far beyond it, both ways) stays out of range at
// the nearest end instead of wrapping round to a valid year.
WORD FieldYear(long year) {
    if (year < 0) return 0;
    constexpr WORD kLargest = std::numeric_limits<WORD>::max();
    if (year > kLargest) return kLargest;
    return static_cast<WORD>(year);
}

}  // namespace

// Milliseconds are truncated, never rounded, so the seconds are the clock's.
// A leap second, which Windows never gives a program, reads as the last
// millisecond of second 59: the reading never goes back before an earlier
// one. A time that the time zone cannot convert gives year 0, a date that
// nothing accepts.
void GetLocalTime(LPSYSTEMTIME time) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm local{};
    if (localtime_r(&now.tv_sec, &local) == nullptr) {
        *time = SYSTEMTIME{};
        return;
    }
    time->wYear = FieldYear(static_cast<long>(local.tm_year) + 1900);
    time->wMonth = static_cast<WORD>(local.tm_mon + 1);
    time->wDay = static_cast<WORD>(local.tm_mday);
    time->wHour = static_cast<WORD>(local.tm_hour);
    time->wMinute = static_cast<WORD>(local.tm_min);
    time->wMilliseconds = static_cast<WORD>(now.tv_nsec / 1000000);
    time->wSecond = static_cast<WORD>(local.tm_sec);
    if (local.tm_sec > 59) {
        time->wSecond = 59;
        time->wMilliseconds = 999;
    }
}
