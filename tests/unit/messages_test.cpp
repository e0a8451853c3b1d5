#include <doctest/doctest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/messages.h"
#include "platform/win32.h"
#include "process/report.h"

using namespace tikvan;

TEST_CASE("messages expand their arguments") {
    const auto expand = [](std::string_view format, const std::vector<MessageArgument>& arguments) {
        char out[64];
        return std::string(out, ExpandMessage(format, arguments, out, sizeof out));
    };
    CHECK(expand("%s at %p", {"EInOutError", 0x1234}) == "EInOutError at 00001234");
    CHECK(expand("(%d) (%D) %x %X %d", {-105, 112, -1073741819LL, 255, std::int64_t{0}}) == "(-105) (112) C0000005 FF 0");
    CHECK(expand("%1:s %0:s %s %2:s %s", {"a", "b", "c"}) == "b a b c ");  // an index moves the next argument too
    CHECK(expand("%10:s%s", {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "ten", "eleven"}) == "teneleven");
    CHECK(expand("%1d|%s", {"a", "b"}) == "%1d|a");  // digits without ":" are no index, "1" no letter
    CHECK(expand("100%% %s %q%", {"a"}) == "100%% a %q%");  // what begins no conversion is copied
    CHECK(expand("%18446744073709551617:s.", {"a", "b"}) == ".");  // 2^64 + 1 must not wrap round to 1
    char small[6];
    const MessageArgument word("abcdefgh");
    CHECK(ExpandMessage("%s", {&word, 1}, small, sizeof small) == 5);
    CHECK(std::string(small) == "abcde");
}

// The other messages' period shows in the report rows of the end-to-end table.
TEST_CASE("no period after a message's period, nor after an empty message") {
    CHECK_FALSE((NeedsPeriod("ends.") || NeedsPeriod("")));
}

// The two conversion failures of a clock outside the calendar, each with its
// text; a message is cut to the longest text of the string table.
TEST_CASE("failure objects") {
    for (const auto& [raise, id] : {std::pair{&RaiseDateConversion, kDateConversion}, {&RaiseTimeConversion, kTimeConversion}}) {
        CAPTURE(id);
        bool raised = false;
        try {
            raise();
        } catch (const EConvertError& failure) {
            raised = failure.Message() == LoadMessage(id);
        }
        CHECK(raised);
    }
    const std::string longText(3 * kMessageCapacity, 'x');
    CHECK(EConvertError(longText, nullptr).Message().size() == kMessageCapacity - 1);
}

// Both builds' CharToOemBuffA convert exactly `length` bytes, in place as
// the report converts or into another buffer, and write nothing else.
TEST_CASE("OEM conversion of a byte count") {
    const std::string longText(5000, 'x');  // longer than any buffer of the conversion
    const struct { const char* row; std::string text; DWORD length; } rows[] = {
        {"the whole text", "I/O (112).", 10},
        {"its first bytes", "abcdef", 3},
        {"none", "abcdef", 0},
        {"a zero is a byte", std::string("ab\0cd", 5), 5},
        {"double-byte characters", "\x93\xFA\x95\x74", 4},  // 日付
        {"a long text", longText, 5000},
    };
    for (const auto& row : rows) {
        CAPTURE(row.row);
        std::string buffer(row.text.size() + 1, '#');
        CHECK(CharToOemBuffA(row.text.c_str(), buffer.data(), row.length));
        CHECK(buffer == row.text.substr(0, row.length) + std::string(buffer.size() - row.length, '#'));
        std::string inPlace = row.text;
        CHECK(CharToOemBuffA(inPlace.data(), inPlace.data(), row.length));
        CHECK(inPlace == row.text);
    }
}

// Both builds' LoadStringA cut a text after the last whole character that
// fits in size - 1 bytes and end it with a zero; an id that is absent gives
// 0 and the empty text; a size of 0, 0 and nothing written.
TEST_CASE("string-table texts within the caller's buffer") {
    char whole[256];
    const int wholeLength = LoadStringA(nullptr, kReportFormat, whole, sizeof whole);
    REQUIRE(wholeLength > 8);
    const struct { const char* row; UINT id; int size; int length; } rows[] = {
        {"whole", kReportFormat, static_cast<int>(sizeof whole), wholeLength},
        {"cut to the buffer", kReportFormat, 3, 2},
        {"a character is not split", kReportFormat, 5, 3},  // "%s " and the first byte of が
        {"one byte: the zero alone", kReportFormat, 1, 0},
        {"no byte", kReportFormat, 0, 0},
        {"absent", 1, 16, 0},
    };
    for (const auto& row : rows) {
        CAPTURE(row.row);
        char buffer[sizeof whole + 1];
        std::memset(buffer, '#', sizeof buffer);
        CHECK(LoadStringA(nullptr, row.id, buffer, row.size) == row.length);
        const auto length = static_cast<std::size_t>(row.length);
        CHECK(std::string(buffer, length) == std::string(whole, length));
        if (row.size > 0) CHECK(buffer[row.length] == 0);
        CHECK(std::string(buffer + row.size, sizeof buffer - row.size) == std::string(sizeof buffer - row.size, '#'));
    }
}
