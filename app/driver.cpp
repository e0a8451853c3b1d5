#include "app/driver.h"

#include "app/usage.h"
#include "args/arguments.h"
#include "args/switch_text.h"
#include "console/channel.h"
#include "process/process.h"
#include "timestamp/date_time.h"
#include "timestamp/render.h"

namespace tikvan {

namespace {

constexpr std::string_view kSwitchPrefix = "/";
constexpr int kUsageErrorStatus = 255;

// The timestamp patterns by date, time and line end: the date "yyyy/mm/dd",
// a blank, the time "hh:nn:ss", then CR LF, each part where it is asked
// for. Without date and time there is nothing to print.
constexpr std::string_view kPatterns[2][2][2] = {
    {{"", ""}, {"hh:nn:ss", "hh:nn:ss\r\n"}},
    {{"yyyy/mm/dd", "yyyy/mm/dd\r\n"}, {"yyyy/mm/dd hh:nn:ss", "yyyy/mm/dd hh:nn:ss\r\n"}},
};

struct SwitchSet {
    bool usageError = false;
    bool help = false;
    bool lineEnd = false;
    bool date = false;
    bool time = false;
};

bool AllStartWithPrefix(const ArgumentList& arguments) {
    for (std::int32_t i = 1; i <= arguments.ArgumentCount(); ++i) {
        if (!TextEquals(ByteRange(arguments.ArgumentAt(i), 1, 1), kSwitchPrefix)) return false;
    }
    return true;
}

SwitchSet ReadSwitches(const ArgumentList& arguments, const CharacterSet& characters) {
    SwitchSet switches;
    for (std::int32_t i = 1; i <= arguments.ArgumentCount(); ++i) {
        const std::string_view argument = arguments.ArgumentAt(i);
        // The upper-cased argument, then its letters: neither is longer.
        ScratchText upperBytes(argument.size());
        ScratchText letterBytes(argument.size());
        const std::string_view upper = AsciiUpper(argument, upperBytes.Data());
        const std::string_view letters =
            ReplaceText(upper, kSwitchPrefix, "", characters, letterBytes.Data(), argument.size());
        if (letters.empty()) switches.usageError = true;
        for (char letter : letters) {
            switch (letter) {
                case '?': switches.help = true; break;
                case 'D': switches.date = true; break;
                case 'N': switches.lineEnd = true; break;
                case 'T': switches.time = true; break;
                default: switches.usageError = true; break;
            }
        }
    }
    return switches;
}

}  // namespace

Plan PlanOutput(const ArgumentList& arguments, const CharacterSet& characters) {
    if (arguments.ArgumentCount() == 0) return {Action::Timestamp, kPatterns[1][1][1]};
    if (!AllStartWithPrefix(arguments)) return {Action::UsageError, {}};
    const SwitchSet switches = ReadSwitches(arguments, characters);
    if (switches.usageError) return {Action::UsageError, {}};
    if (switches.help) return {Action::Help, {}};
    const std::string_view pattern = kPatterns[switches.date][switches.time][switches.lineEnd];
    if (pattern.empty()) return {Action::UsageError, {}};
    return {Action::Timestamp, pattern};
}

void RunDriver() {
    const DateTimeValue captured = CaptureLocalTime();
    const Plan plan = PlanOutput(Arguments(), Regional().characters);
    switch (plan.action) {
        case Action::UsageError:
            UsageScreen();
            ProcessEnd(kUsageErrorStatus);
        case Action::Help:
            UsageScreen();
            return;
        case Action::Timestamp:
            WriteStatement(RenderPattern(plan.pattern, captured, Regional()));
            return;
    }
}

}  // namespace tikvan
