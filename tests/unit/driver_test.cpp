#include <string>
#include <vector>

#include "app/driver.h"
#include "check.h"
#include "text.h"

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
    const LeadByteSet cp932 = testing_text::Cp932LeadBytes();
    for (const auto& row : rows) {
        CHECK_EQ_AT(Describe(PlanOutput(testing_text::Views(row.arguments), cp932)), std::string(row.want), check::Show(row.arguments[0]));
    }
}
