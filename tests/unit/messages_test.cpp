#include <string>
#include <vector>

#include "check.h"
#include "base/messages.h"
#include "process/process.h"
#include "process/report.h"

using namespace tikvan;

TEST(messages_expand_their_arguments) {
    const struct {
        std::string_view format;
        std::vector<MessageArgument> arguments;
        std::string_view want;
    } rows[] = {
        {"%s at %p", {"EInOutError", 0x1234}, "EInOutError at 00001234"},
        {"(%d) (%D)", {-105, 112}, "(-105) (112)"},
        {"%x %X", {0xC0000005LL, 255}, "C0000005 FF"},
        {"%P", {-1}, "FFFFFFFF"},
        {"%1:s %0:s %s", {"a", "b", "c"}, "b a b"},
        {"%2:p %0:p %s", {0x10, "kind", 0x20}, "00000020 00000010 kind"},
        {"%s %s", {"only"}, "only "},
        {"100%", {}, "100"},
        {"%18446744073709551617:s.", {"a", "b"}, "."},  // 2^64 + 1 has no argument: it must not wrap to 1
        {"no conversions", {}, "no conversions"},
    };
    for (const auto& row : rows) {
        char out[64];
        const std::size_t length = ExpandMessage(row.format, row.arguments.data(), row.arguments.size(), out, sizeof out);
        CHECK_EQ_AT(std::string(out, length), std::string(row.want), std::string(row.format));
    }
    char small[6];
    const MessageArgument word("abcdefgh");
    CHECK_EQ(ExpandMessage("%s", &word, 1, small, sizeof small), 5U);
    CHECK_EQ(std::string(small), std::string("abcde"));
}

// The texts come from the string table, in the ANSI code page: under a
// single-byte code page Japanese characters become "?".
TEST(messages_load_by_id) {
    CHECK_EQ(LoadMessage(1), std::string());
    const std::string io(LoadMessage(kIoErrorWithCode));
    CHECK_AT(io.rfind("I/O ", 0) == 0 && io.size() >= 10 && io.substr(io.size() - 5) == " (%d)", io);
    const std::string format(LoadMessage(kReportFormat));
    CHECK_AT(format.rfind("%s ", 0) == 0 && format.substr(format.size() - 8) == "\r\n%s%s\r\n", format);
}

TEST(reports_end_messages_with_one_period) {
    CHECK(NeedsPeriod("I/O ??? (112)"));
    CHECK(!NeedsPeriod("ends."));
    CHECK(!NeedsPeriod(""));
    CHECK(NeedsPeriod("\x94\xAD\x90\xB6\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x42"));  // 発生しました。
}

TEST(run_error_lines_are_29_characters) {
    const struct {
        int number;
        std::uintptr_t location;
        std::string_view want;
    } rows[] = {
        {217, 0x0040ABCD, "Runtime error 217 at 0040ABCD"},
        {5, 0x10, "Runtime error   5 at 00000010"},
        {0, 0xFFFFFFFF, "Runtime error   0 at FFFFFFFF"},
        {42, 0, "Runtime error  42 at 00000000"},
    };
    for (const auto& row : rows) {
        char line[kRunErrorLineLength];
        FormatRunErrorLine(row.number, row.location, line);
        CHECK_EQ_AT(std::string(line, sizeof line), std::string(row.want), std::string(row.want));
    }
}
