#include "app/driver.h"

#include <vector>

#include "app/usage.h"
#include "args/arguments.h"
#include "args/switch_text.h"
#include "console/channel.h"
#include "process/process_end.h"
#include "timestamp/date_time.h"
#include "timestamp/render.h"

namespace tikvan {

namespace {

constexpr std::string_view kSwitchPrefix = "/";
constexpr std::string_view kDatePattern = "yyyy/mm/dd";
constexpr std::string_view kTimePattern = "hh:nn:ss";
constexpr std::string_view kJoiner = " ";
constexpr std::string_view kLineEnd = "\r\n";
constexpr int kUsageErrorStatus = 255;

}  // namespace

SwitchSet ReadSwitches(std::span<const std::string> arguments, const RegionalSettings& regional) {
    SwitchSet switches;
    for (const std::string& argument : arguments) {
        if (!TextEquals(ByteRange(argument, 1, 1), kSwitchPrefix)) {
            switches.usageError = true;
            return switches;
        }
    }
    for (const std::string& argument : arguments) {
        const std::string letters = ReplaceText(AsciiUpper(argument), kSwitchPrefix, "", regional);
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

Plan PlanOutput(std::span<const std::string> arguments, const RegionalSettings& regional) {
    Plan plan{Action::Timestamp, {}};
    if (arguments.empty()) {
        plan.pattern.append(kDatePattern).append(kJoiner).append(kTimePattern).append(kLineEnd);
        return plan;
    }
    const SwitchSet switches = ReadSwitches(arguments, regional);
    if (switches.usageError) return {Action::UsageError, {}};
    if (switches.help) return {Action::Help, {}};
    if (switches.date) plan.pattern.append(kDatePattern);
    if (switches.time) {
        if (!plan.pattern.empty()) plan.pattern.append(kJoiner);
        plan.pattern.append(kTimePattern);
    }
    if (plan.pattern.empty()) return {Action::UsageError, {}};
    if (switches.lineEnd) plan.pattern.append(kLineEnd);
    return plan;
}

void RunDriver() {
    const DateTimeValue captured = CaptureLocalTime();
    std::vector<std::string> arguments;
    const std::int32_t count = ArgumentCount();
    for (std::int32_t i = 1; i <= count; ++i) arguments.push_back(ArgumentAt(i));
    const Plan plan = PlanOutput(arguments, Regional());
    switch (plan.action) {
        case Action::UsageError:
            WriteUsageScreen();
            ProcessEnd(kUsageErrorStatus);
        case Action::Help:
            WriteUsageScreen();
            return;
        case Action::Timestamp:
            WriteStatement(RenderPattern(plan.pattern, captured, Regional()));
            return;
    }
}

}  // namespace tikvan
