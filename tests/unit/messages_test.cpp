#include <string>
#include <vector>

#include "check.h"
#include "process/failure.h"
#include "process/messages.h"
#include "process/process_end.h"
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
    const std::string io = LoadMessage(kIoErrorWithCode);
    CHECK_AT(io.rfind("I/O ", 0) == 0 && io.size() >= 10 && io.substr(io.size() - 5) == " (%d)", io);
    const std::string format = LoadMessage(kReportFormat);
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

// Each run-time error kind raised by a platform fault: its class, its
// message and its number for the last-resort exit.
TEST(run_error_kinds_make_their_failures) {
    const struct {
        RunErrorKind kind;
        const char* className;
        std::uint16_t message;
        int number;
    } rows[] = {
        {RunErrorKind::DivByZero, "EDivByZero", 65531, 200},
        {RunErrorKind::RangeError, "ERangeError", 65532, 201},
        {RunErrorKind::IntOverflow, "EIntOverflow", 65533, 215},
        {RunErrorKind::InvalidOp, "EInvalidOp", 65534, 207},
        {RunErrorKind::ZeroDivide, "EZeroDivide", 65535, 200},
        {RunErrorKind::Overflow, "EOverflow", 65504, 205},
        {RunErrorKind::Underflow, "EUnderflow", 65505, 206},
        {RunErrorKind::InvalidCast, "EInvalidCast", 65507, 219},
        {RunErrorKind::AccessViolation, "EAccessViolation", 65509, 216},
        {RunErrorKind::Privilege, "EPrivilege", 65512, 218},
        {RunErrorKind::ControlC, "EControlC", 65511, 217},
        {RunErrorKind::StackOverflow, "EStackOverflow", 65510, 202},
        {RunErrorKind::VariantTypeCast, "EVariantError", 65490, 220},
        {RunErrorKind::VariantOperation, "EVariantError", 65491, 221},
        {RunErrorKind::VariantDispatch, "EVariantError", 65517, 222},
        {RunErrorKind::VariantArrayCreate, "EVariantError", 65488, 223},
        {RunErrorKind::VariantArgument, "EVariantError", 65492, 224},
        {RunErrorKind::VariantBounds, "EVariantError", 65489, 225},
        {RunErrorKind::AssertionFailed, "EAssertionFailed", 65494, 227},
        {RunErrorKind::IntfCast, "EIntfCastError", 65495, 228},
        {RunErrorKind::SafecallException, "ESafecallException", 65496, 229},
    };
    for (const auto& row : rows) {
        const auto failure = CreateRunError(row.kind, nullptr);
        CHECK_EQ_AT(std::string(failure->ClassName()), std::string(row.className), row.className);
        CHECK_EQ_AT(failure->Message(), LoadMessage(row.message), row.className);
        CHECK_EQ_AT(RunErrorNumber(row.kind), row.number, row.className);
    }
    // 外部例外 C0000005: the external exception's message carries its code.
    const auto external = CreateRunError(RunErrorKind::ExternalException, nullptr, 0xC0000005);
    CHECK_EQ(std::string(external->ClassName()), std::string("EExternalException"));
    CHECK(external->Message().size() > 9 && external->Message().substr(external->Message().size() - 9) == " C0000005");
}
