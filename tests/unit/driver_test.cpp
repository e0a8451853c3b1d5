#include <string>
#include <vector>

#include "app/driver.h"
#include "app/usage.h"
#include "check.h"

using namespace tikvan;

namespace {

std::string Describe(const Plan& plan) {
    switch (plan.action) {
        case Action::UsageError: return "usage 255";
        case Action::Help: return "usage 0";
        case Action::Timestamp: return std::string(plan.pattern);
    }
    return {};
}

}  // namespace

// The command-line cases run end to end; these are the ones that only a
// double-byte code page reaches.
TEST(double_byte_arguments_are_usage_errors) {
    const struct {
        std::vector<std::string> arguments;
        std::string_view want;
    } rows[] = {
        {{"/D\x81\x40"}, "usage 255"},
        {{"/\x82\x64"}, "usage 255"},  // a full-width letter: its trail byte upper-cases to "D"
        {{"/?", "\x81\x40"}, "usage 255"},
        {{"/\x81/D"}, "usage 255"},    // the "/" after a lead byte stays in the switch text
        {{"/D", "/T"}, "yyyy/mm/dd hh:nn:ss"},
    };
    RegionalSettings cp932;
    cp932.farEast = true;
    cp932.leadBytes.AddRange(0x81, 0x9F);
    cp932.leadBytes.AddRange(0xE0, 0xFC);
    for (const auto& row : rows) {
        CHECK_EQ_AT(Describe(PlanOutput(row.arguments, cp932)), std::string(row.want), check::Show(row.arguments[0]));
    }
}

// The screen as code page 932 bytes: 22 lines of 311 bytes of text and CR LF
// after each, 355 bytes.
TEST(usage_screen_is_byte_exact) {
    const std::string_view want =
        "\x83\x6F\x83\x62\x83\x60\x8F\x88\x97\x9D\x97\x70\x82\xCC\x44\x41\x54\x45\x83\x52\x83\x7D\x83\x93\x83\x68"
        "\x82\xC5\x82\xB7\r\n"
        "\r\n"
        "TIKVAN [/D] [/T] [/N] \r\n"
        "\r\n"
        "\x20\x20\x2F\x44              \x93\xFA\x95\x74\x82\xF0\x95\x5C\x8E\xA6\r\n"
        "\x20\x20\x2F\x54              \x8E\x9E\x8A\xD4\x82\xF0\x95\x5C\x8E\xA6\r\n"
        "\x20\x20\x2F\x4E              \x89\xFC\x8D\x73\x82\xF0\x95\x74\x97\x5E\r\n"
        "\x20\x20\x83\x70\x83\x89\x83\x81\x81\x5B\x83\x5E\x82\xC8\x82\xB5\x20\x20\x93\xFA\x95\x74\x81\x7B\x8E\x9E"
        "\x8A\xD4\x81\x7B\x89\xFC\x8D\x73\r\n"
        "\r\n"
        "\x81\x79\x97\xE1\x81\x7A\r\n"
        "------------------------------\r\n"
        ">TIKVAN /D\r\n2003/01/01\r\n\r\n"
        ">TIKVAN /T\r\n12:00:00\r\n\r\n"
        ">TIKVAN /DT\r\n2003/01/01 12:00:00\r\n\r\n"
        ">TIKVAN /DTN\r\n2003/01/01 12:00:00\x5B\x89\xFC\x8D\x73\x5D\r\n";
    std::string screen;
    for (std::string_view line : kUsageLines) screen.append(line).append("\r\n");
    CHECK_EQ(screen.size(), 355U);
    CHECK_EQ(screen, std::string(want));
    const std::size_t lengths[] = {30, 0, 22, 0, 28, 28, 28, 34, 0, 6, 30, 10, 10, 0, 10, 8, 0, 11, 19, 0, 12, 25};
    for (std::size_t i = 0; i < kUsageLines.size(); ++i) CHECK_EQ_AT(kUsageLines[i].size(), lengths[i], std::to_string(i + 1));
}
