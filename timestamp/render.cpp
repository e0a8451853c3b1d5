#include "timestamp/render.h"

#include <cstddef>
#include <cstdint>
#include <optional>

#include "base/digits.h"
#include "platform/ascii.h"

namespace tikvan {

namespace {

class Renderer {
public:
    Renderer(std::string_view pattern, DateTimeValue value, const RegionalSettings& regional, RenderedText& out)
        : pattern_(pattern.substr(0, pattern.find('\0'))), value_(value), regional_(regional), out_(out) {}

    void Run() {
        while (at_ < pattern_.size()) Step();
    }

private:
    // One token: a double-byte character, a run of one letter, or one byte.
    void Step() {
        const char c = pattern_[at_];
        if (regional_.characters.leadBytes.Has(c)) {
            const std::size_t length = at_ + 1 < pattern_.size() ? 2 : 1;
            out_.Append({pattern_.data() + at_, length});
            at_ += length;
            lastLetter_ = ' ';
            return;
        }
        char token = UpperAscii(c);
        if (token >= 'A' && token <= 'Z') {
            if (token == 'M' && lastLetter_ == 'H') token = 'N';
            lastLetter_ = token;
        }
        switch (token) {
            case 'Y': {
                const std::size_t run = TakeRun(c);
                const unsigned year = Date().year;
                if (run <= 2) AppendNumber(year % 100, 2);
                else AppendNumber(year, 4);
                return;
            }
            case 'M':
            case 'D': {
                const std::size_t start = at_;
                const std::size_t run = TakeRun(c);
                if (run > 2) {  // month and day names are not offered
                    out_.Append({pattern_.data() + start, run});
                    return;
                }
                AppendNumber(token == 'M' ? Date().month : Date().day, static_cast<unsigned>(run));
                return;
            }
            case 'H': {
                const unsigned width = TakeRun(c) >= 2 ? 2 : 1;
                if (!twelveHour_) twelveHour_ = TwelveHourMarkerFollows();
                unsigned hour = Time().hour;
                if (twelveHour_ && hour == 0) hour = 12;
                if (twelveHour_ && hour > 12) hour -= 12;
                AppendNumber(hour, width);
                return;
            }
            case 'N':
                AppendNumber(Time().minute, TakeRun(c) >= 2 ? 2 : 1);
                return;
            case 'S':
                AppendNumber(Time().second, TakeRun(c) >= 2 ? 2 : 1);
                return;
            case '/':
                ++at_;
                if (regional_.dateSeparator != 0) out_.Append(regional_.dateSeparator);
                return;
            case ':':
                ++at_;
                if (regional_.timeSeparator != 0) out_.Append(regional_.timeSeparator);
                return;
            default:
                ++at_;
                out_.Append(c);
                return;
        }
    }

    // Consumes `c` and every byte equal to it that follows; gives the count.
    std::size_t TakeRun(char c) {
        const std::size_t start = at_;
        while (at_ < pattern_.size() && pattern_[at_] == c) ++at_;
        return at_ - start;
    }

    // Looks ahead from the current position (just past an hour run) for the
    // first "a" or "A" outside quotes, stopping at the next hour letter.
    bool TwelveHourMarkerFollows() const {
        bool quoted = false;
        for (std::size_t i = at_; i < pattern_.size(); ++i) {
            const char c = pattern_[i];
            if (UpperAscii(c) == 'H') return false;
            if (c == '"' || c == '\'') {
                quoted = !quoted;
            } else if (regional_.characters.leadBytes.Has(c)) {
                ++i;
            } else if (UpperAscii(c) == 'A' && !quoted) {
                return StartsWithNoCase(i, "AM/PM") || StartsWithNoCase(i, "A/P") || StartsWithNoCase(i, "AMPM");
            }
        }
        return false;
    }

    bool StartsWithNoCase(std::size_t at, std::string_view word) const {
        if (pattern_.size() - at < word.size()) return false;
        for (std::size_t i = 0; i < word.size(); ++i) {
            if (UpperAscii(pattern_[at + i]) != word[i]) return false;
        }
        return true;
    }

    // `number` in decimal, zero-padded to `width` digits (1..4).
    void AppendNumber(unsigned number, unsigned width) {
        char digits[kMostDigits];
        out_.Append({digits, WriteDigits(number, 10, width, digits)});
    }

    const CalendarDate& Date() {
        if (!date_) date_ = ValueToDate(value_);
        return *date_;
    }
    const TimeOfDay& Time() {
        if (!time_) time_ = ValueToTime(value_);
        return *time_;
    }

    std::string_view pattern_;
    DateTimeValue value_;
    const RegionalSettings& regional_;
    std::size_t at_ = 0;
    char lastLetter_ = ' ';
    bool twelveHour_ = false;
    std::optional<CalendarDate> date_;
    std::optional<TimeOfDay> time_;
    RenderedText& out_;
};

}  // namespace

RenderedText RenderPattern(std::string_view pattern, DateTimeValue value, const RegionalSettings& regional) {
    RenderedText text;
    Renderer(pattern, value, regional, text).Run();
    return text;
}

}  // namespace tikvan
