#include "app/usage.h"

#include <array>
#include <string_view>

#include "console/channel.h"

namespace tikvan {

namespace {

using namespace std::string_view_literals;

// The screen shows "/" and ":" and 2003-01-01 12:00:00 whatever the clock and
// the regional settings say.
const std::array<std::string_view, 22> kUsageLines = {
    // バッチ処理用のDATEコマンドです (a DATE command for batch processing)
    "\x83\x6F\x83\x62\x83\x60\x8F\x88\x97\x9D\x97\x70\x82\xCC" "DATE" "\x83\x52\x83\x7D\x83\x93\x83\x68\x82\xC5\x82\xB7"sv,
    ""sv,
    "TIKVAN [/D] [/T] [/N] "sv,
    ""sv,
    // 日付を表示 (show the date)
    "  /D              \x93\xFA\x95\x74\x82\xF0\x95\x5C\x8E\xA6"sv,
    // 時間を表示 (show the time)
    "  /T              \x8E\x9E\x8A\xD4\x82\xF0\x95\x5C\x8E\xA6"sv,
    // 改行を付与 (add a line end)
    "  /N              \x89\xFC\x8D\x73\x82\xF0\x95\x74\x97\x5E"sv,
    // パラメータなし  日付＋時間＋改行 (no parameters: date + time + line end)
    "  \x83\x70\x83\x89\x83\x81\x81\x5B\x83\x5E\x82\xC8\x82\xB5  "
    "\x93\xFA\x95\x74\x81\x7B\x8E\x9E\x8A\xD4\x81\x7B\x89\xFC\x8D\x73"sv,
    ""sv,
    // 【例】 (examples)
    "\x81\x79\x97\xE1\x81\x7A"sv,
    "------------------------------"sv,
    ">TIKVAN /D"sv,
    "2003/01/01"sv,
    ""sv,
    ">TIKVAN /T"sv,
    "12:00:00"sv,
    ""sv,
    ">TIKVAN /DT"sv,
    "2003/01/01 12:00:00"sv,
    ""sv,
    ">TIKVAN /DTN"sv,
    // [改行] stands for the line end
    "2003/01/01 12:00:00[\x89\xFC\x8D\x73]"sv,
};

}  // namespace

void UsageScreen() {
    for (std::string_view line : kUsageLines) WriteLineStatement(line);
}

}  // namespace tikvan
