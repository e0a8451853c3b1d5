#include <doctest/doctest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/messages.h"
#include "platform/win32.h"
#include "process/process.h"
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
    CHECK(expand("%1d|%s", {"a", "b"}) == "d|b");  // digits without ":" are no index, "1" no letter
    CHECK(expand("100%", {}) == "100");
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

TEST_CASE("run error lines are 29 characters") {
    const auto line = [](int number, std::uintptr_t location) {
        char text[kRunErrorLineLength];
        FormatRunErrorLine(number, location, text);
        return std::string(text, sizeof text);
    };
    CHECK(line(217, 0x0040ABCD) == "Runtime error 217 at 0040ABCD");
    CHECK(line(5, 0x10) == "Runtime error   5 at 00000010");
    CHECK(line(0, 0xFFFFFFFF) == "Runtime error   0 at FFFFFFFF");
}

TEST_CASE("failure objects: run-error numbers, messages, and messages cut to their buffer") {
    // From OutOfMemory on: the number and the message id of each kind; 0: an expanded message.
    constexpr std::uint16_t kRows[][2] = {
        {203, 65522}, {204, 65506}, {200, 65531}, {201, 65532}, {215, 65533}, {207, 65534}, {200, 65535}, {205, 65504},
        {206, 65505}, {219, 65507}, {216, 65509}, {218, 65512}, {217, 65511}, {202, 65510}, {220, 65490}, {221, 65491},
        {222, 65517}, {223, 65488}, {224, 65492}, {225, 65489}, {227, 65494}, {0, 0}, {228, 65495}, {229, 65496}};
    for (std::size_t kind = 1; kind <= std::size(kRows); ++kind) {
        CAPTURE(kind);
        const auto [number, message] = kRows[kind - 1];
        CHECK(RunErrorNumber(static_cast<RunErrorKind>(kind)) == number);
        if (message != 0) CHECK(CreateRunError(static_cast<RunErrorKind>(kind), nullptr).Message() == LoadMessage(message));
    }
    // The two conversion failures, which a clock outside the calendar raises.
    for (const auto& [raise, id] : {std::pair{&RaiseDateConversion, 65521}, {&RaiseTimeConversion, 65520}}) {
        CAPTURE(id);
        try {
            raise();
        } catch (const EConvertError& failure) {
            CHECK(failure.Message() == LoadMessage(static_cast<std::uint16_t>(id)));
        }
    }
    const std::string longText(3 * kMessageCapacity, 'x');
    CHECK(EConvertError(longText, nullptr).Message().size() == kMessageCapacity - 1);
}

// The report's conversion into the OEM code page stays inside the caller's
// buffer: a text that does not fit is cut, with its terminating zero.
TEST_CASE("OEM conversion within the caller's buffer") {
    const struct { const char *row, *text; DWORD size; const char* converted; } rows[] = {
        {"fits", "I/O (112).", 16, "I/O (112)."},
        {"fits exactly", "abcdef", 7, "abcdef"},
        {"cut to the buffer", "abcdef", 4, "abc"},
        {"one byte: the zero alone", "abcdef", 1, ""},
        {"empty", "", 4, ""},
    };
    for (const auto& row : rows) {
        CAPTURE(row.row);
        char buffer[32];
        std::memset(buffer, '#', sizeof buffer);
        CHECK(CharToOemBuffA(row.text, buffer, row.size));
        CHECK(std::string(buffer) == row.converted);
        CHECK(std::string(buffer + row.size, sizeof buffer - row.size) == std::string(sizeof buffer - row.size, '#'));
        std::strcpy(buffer, row.text);  // in place, as the report converts
        CHECK(CharToOemBuffA(buffer, buffer, row.size));
        CHECK(std::string(buffer) == row.converted);
    }
}

// Both builds' LoadStringA cut a text to the caller's size - 1 bytes and end
// it with a zero; an id that is absent gives 0 and the empty text.
TEST_CASE("string-table texts within the caller's buffer") {
    char whole[256];
    const int wholeLength = LoadStringA(nullptr, kReportFormat, whole, sizeof whole);
    REQUIRE(wholeLength > 8);
    const struct { const char* row; UINT id; int size; int length; } rows[] = {
        {"whole", kReportFormat, static_cast<int>(sizeof whole), wholeLength},
        {"cut to the buffer", kReportFormat, 8, 7},
        {"one byte: the zero alone", kReportFormat, 1, 0},
        {"absent", 1, 16, 0},
    };
    for (const auto& row : rows) {
        CAPTURE(row.row);
        char buffer[sizeof whole + 1];
        std::memset(buffer, '#', sizeof buffer);
        CHECK(LoadStringA(nullptr, row.id, buffer, row.size) == row.length);
        const auto length = static_cast<std::size_t>(row.length);
        CHECK(std::string(buffer, length) == std::string(whole, length));
        CHECK(buffer[row.length] == 0);
        CHECK(std::string(buffer + row.size, sizeof buffer - row.size) == std::string(sizeof buffer - row.size, '#'));
    }
}
