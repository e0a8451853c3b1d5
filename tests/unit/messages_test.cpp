#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "base/messages.h"
#include "process/process.h"
#include "process/report.h"

using namespace tikvan;

TEST_CASE("messages expand their arguments") {
    const struct {
        std::string_view format;
        std::vector<MessageArgument> arguments;
        std::string_view want;
    } rows[] = {
        {"%s at %p", {"EInOutError", 0x1234}, "EInOutError at 00001234"},
        {"(%d) (%D)", {-105, 112}, "(-105) (112)"},
        {"%x %X", {0xC0000005LL, 255}, "C0000005 FF"},
        {"%1:s %0:s %s", {"a", "b", "c"}, "b a b"},  // an index moves the next argument too
        {"%s %s", {"only"}, "only "},
        {"100%", {}, "100"},
        {"%18446744073709551617:s.", {"a", "b"}, "."},  // 2^64 + 1 has no argument: it must not wrap to 1
    };
    for (const auto& row : rows) {
        CAPTURE(row.format);
        char out[64];
        const std::size_t length = ExpandMessage(row.format, row.arguments.data(), row.arguments.size(), out, sizeof out);
        CHECK(std::string_view(out, length) == row.want);
    }
    // Cut to the buffer, with room kept for a terminating zero.
    char small[6];
    const MessageArgument word("abcdefgh");
    CHECK(ExpandMessage("%s", &word, 1, small, sizeof small) == 5);
    CHECK(std::string(small) == "abcde");
}

// The texts come from the string table, in the ANSI code page: under a
// single-byte code page Japanese characters become "?".
TEST_CASE("messages load by id") {
    CHECK(LoadMessage(1).empty());
    const std::string io(LoadMessage(kIoErrorWithCode));
    CAPTURE(io);
    CHECK((io.starts_with("I/O ") && io.size() >= 10 && io.ends_with(" (%d)")));
    const std::string format(LoadMessage(kReportFormat));
    CAPTURE(format);
    CHECK((format.starts_with("%s ") && format.ends_with("\r\n%s%s\r\n")));
}

TEST_CASE("reports end messages with one period") {
    const struct {
        std::string_view message;
        bool want;
    } rows[] = {
        {"I/O ??? (112)", true},
        {"ends.", false},
        {"", false},
        {"\x94\xAD\x90\xB6\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x42", true},  // 発生しました。: no ASCII period
    };
    for (const auto& row : rows) {
        CAPTURE(row.message);
        CHECK(NeedsPeriod(row.message) == row.want);
    }
}

TEST_CASE("run error lines are 29 characters") {
    const struct {
        int number;
        std::uintptr_t location;
        std::string_view want;
    } rows[] = {
        {217, 0x0040ABCD, "Runtime error 217 at 0040ABCD"},
        {5, 0x10, "Runtime error   5 at 00000010"},
        {0, 0xFFFFFFFF, "Runtime error   0 at FFFFFFFF"},
    };
    for (const auto& row : rows) {
        char line[kRunErrorLineLength];
        FormatRunErrorLine(row.number, row.location, line);
        CHECK(std::string_view(line, sizeof line) == row.want);
    }
}
