#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "base/messages.h"
#include "platform/win32.h"
#include "process/report.h"

using namespace tikvan;

// A failure's message, for the checks of what a call raises.
REGISTER_EXCEPTION_TRANSLATOR(const Exception& failure) { return std::string(failure.Message()).c_str(); }

TEST_CASE("messages expand their arguments") {
    const auto expand = [](std::string_view format, const std::vector<MessageArgument>& values, unsigned size = 64) {
        char out[64];
        const std::size_t length = ExpandMessage(format, values, out, size);
        return out[length] == 0 ? std::string(out, length) : "no zero";
    };
    CHECK(expand("%s at %p", {"EInOutError", 0x1234}) == "EInOutError at 00001234");
    CHECK(expand("(%d) (%D) %x %X %d", {-105, 112, -1073741819LL, 255, std::int64_t{0}}) == "(-105) (112) C0000005 FF 0");
    CHECK(expand("%1:s %0:s %s %2:s %s", {"a", "b", "c"}) == "b a b c ");  // an index moves the next argument too
    CHECK(expand("%10:s%s", {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "ten", "eleven"}) == "teneleven");
    CHECK(expand("%1d|%s", {"a", "b"}) == "%1d|a");  // digits without ":" are no index, "1" no letter
    CHECK(expand("100%% %s %q%", {"a"}) == "100%% a %q%");  // what begins no conversion is copied
    CHECK(expand("%18446744073709551617:s.", {"a", "b"}) == ".");  // 2^64 + 1 must not wrap round to 1
    CHECK(expand("%s", {"abcdefgh"}, 6) == "abcde");
}

// The two conversion failures of a clock outside the calendar, each with its text; a message is cut to
// the longest text of the string table. No period follows a message's period nor an empty message (the
// other messages' period shows in the report rows of the end-to-end table).
TEST_CASE("failure objects and the period after a message") {
    CHECK_THROWS_WITH_AS(RaiseDateConversion(), std::string(LoadMessage(kDateConversion)).c_str(), EConvertError);
    CHECK_THROWS_WITH_AS(RaiseTimeConversion(), std::string(LoadMessage(kTimeConversion)).c_str(), EConvertError);
    CHECK(EConvertError(std::string(3 * kMessageCapacity, 'x'), nullptr).Message().size() == kMessageCapacity - 1);
    CHECK_FALSE((NeedsPeriod("ends.") || NeedsPeriod("")));
}

// Both builds' CharToOemBuffA convert exactly `length` bytes, in place (as the report does) or into
// another buffer, and write nothing else.
TEST_CASE("OEM conversion of a byte count") {
    const struct { const char* row; std::string text; DWORD length; } rows[] = {
        {"the whole text", "I/O (112).", 10},
        {"its first bytes", "abcdef", 3},
        {"none", "abcdef", 0},
        {"a zero is a byte", std::string("ab\0cd", 5), 5},
        {"double-byte characters", "\x93\xFA\x95\x74", 4},  // 日付
        {"a long text", std::string(5000, 'x'), 5000},  // longer than any buffer of the conversion
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

// Both builds' LoadStringA keep the whole characters that fit in size - 1 bytes and end them with a
// zero; an absent id gives 0 and the empty text; a size of 0 gives 0 and writes nothing.
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
        std::string buffer(sizeof whole + 1, '#');
        CHECK(LoadStringA(nullptr, row.id, buffer.data(), row.size) == row.length);
        CHECK(buffer.substr(0, row.length) == std::string(whole, row.length));
        if (row.size > 0) CHECK(buffer[row.length] == 0);
        CHECK(buffer.substr(row.size) == std::string(buffer.size() - row.size, '#'));
    }
}
