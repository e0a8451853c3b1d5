#include "timestamp/date_time.h"

#include "platform/win32.h"

namespace tikvan {

DateTimeValue CaptureLocalTime() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const DateTimeValue date = DateToValue(now.wYear, now.wMonth, now.wDay);
    const DateTimeValue time = TimeToValue(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    return CombineValue(date, time);
}

}  // namespace tikvan
