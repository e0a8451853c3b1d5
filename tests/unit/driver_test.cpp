#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "app/driver.h"
#include "args/switch_text.h"
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

// The switch grammar: the pattern printed, the help screen (status 0) or a
// usage error (status 255) for the arguments after the program's name.
TEST_CASE("arguments choose the output") {
    const struct {
        std::vector<std::string> arguments;
        std::string_view want;
    } rows[] = {
        {{}, "yyyy/mm/dd hh:nn:ss\r\n"},
        {{"/D"}, "yyyy/mm/dd"},
        {{"/T"}, "hh:nn:ss"},
        {{"/TD"}, "yyyy/mm/dd hh:nn:ss"},
        {{"/d/t"}, "yyyy/mm/dd hh:nn:ss"},  // lower case, and a "/" inside the switch
        {{"/D/"}, "yyyy/mm/dd"},
        {{"/n", "/T"}, "hh:nn:ss\r\n"},
        {{"/?"}, "usage 0"},
        {{"/?D"}, "usage 0"},
        {{"/D", "/?"}, "usage 0"},
        {{"/?X"}, "usage 255"},  // a usage error wins over help
        {{"/?", "D"}, "usage 255"},
        {{"/N"}, "usage 255"},   // nothing to print
        {{"/"}, "usage 255"},
        {{"//"}, "usage 255"},
        {{"D"}, "usage 255"},
        {{"/D", "T"}, "usage 255"},
        {{"/X"}, "usage 255"},
        {{"/D\x81\x40"}, "usage 255"},  // a full-width space
        {{"/\x82\x64"}, "usage 255"},   // Ｄ: its trail byte upper-cases to "D"
    };
    const LeadByteSet plain;
    const LeadByteSet cp932 = testing_text::Cp932LeadBytes();
    for (const auto& row : rows) {
        std::string shown;
        for (const std::string& argument : row.arguments) shown += "<" + argument + ">";
        CAPTURE(shown);
        for (const LeadByteSet* leadBytes : {&plain, &cp932}) {
            CHECK(Describe(PlanOutput(testing_text::Views(row.arguments), *leadBytes)) == row.want);
        }
    }
}

// Removal of "/" from switch text: an occurrence that begins on the trail
// byte of a double-byte character stays. A byte after an odd run of lead
// bytes is a trail byte.
TEST_CASE("replace text skips occurrences on trail bytes") {
    const struct {
        std::string_view text, pattern, replacement;
        bool cp932;
        std::string_view want;
    } rows[] = {
        {"/D/T/N", "/", "", false, "DTN"},
        {"\x81/D", "/", "", false, "\x81" "D"},
        {"\x81/D", "/", "", true, "\x81/D"},
        {"\x81//", "/", "", true, "\x81/"},
        {"\x88\x9F/", "/", "", true, "\x88\x9F"},        // two lead bytes: one whole character
        {"/\x81/D/", "/", "", true, "\x81/D"},
        {"\x81\x82\x82", "\x82", "", true, "\x81\x82"},  // found after a trail byte valued as a lead byte
        {"aXbxc", "x", "-", false, "a-b-c"},             // found without regard to case
        {"abc", "", "-", false, "abc"},
    };
    const LeadByteSet plain;
    for (const auto& row : rows) {
        CAPTURE(row.text);
        CAPTURE(row.pattern);
        CHECK(testing_text::ReplaceText(row.text, row.pattern, row.replacement,
                                        row.cp932 ? testing_text::Cp932LeadBytes() : plain) == row.want);
    }
    char out[2];
    CHECK(ReplaceText("abc", "x", "", plain, out, sizeof out) == "ab");
}
