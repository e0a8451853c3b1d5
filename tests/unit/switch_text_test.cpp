#include <string>

#include "args/switch_text.h"
#include "check.h"
#include "text.h"

using namespace tikvan;

namespace {

const char* KindName(ByteKind kind) {
    return kind == ByteKind::Lead ? "lead" : kind == ByteKind::Trail ? "trail" : "single";
}

}  // namespace

TEST(byte_range_clamps) {
    const struct {
        std::string_view text;
        int start, count;
        std::string_view want;
    } rows[] = {
        {"abc", 0, 2, "ab"}, {"abc", 3, 5, "c"},  {"abc", 4, 1, ""},   {"abc", 1, -1, ""},
        {"abc", -7, 1, "a"}, {"abc", 2, 0, ""},   {"", 1, 1, ""},      {"\x82\x63", 1, 1, "\x82"},
    };
    for (const auto& row : rows) {
        CHECK_EQ_AT(std::string(ByteRange(row.text, row.start, row.count)), std::string(row.want),
                    check::Show(row.text) + " " + std::to_string(row.start) + " " + std::to_string(row.count));
    }
}

TEST(ascii_upper_changes_only_a_to_z) {
    const struct {
        std::string_view text, want;
    } rows[] = {
        {"/d?t", "/D?T"},
        {"\x82\x63", "\x82\x43"},  // the trail byte "c" of a full-width letter changes too
        {"az{`@", "AZ{`@"},
        {"\xE0\xFF\x61", "\xE0\xFF\x41"},
    };
    for (const auto& row : rows) CHECK_EQ_AT(testing_text::AsciiUpper(row.text), std::string(row.want), check::Show(row.text));
}

TEST(byte_kinds_follow_the_lead_byte_run) {
    const LeadByteSet plain;
    const struct {
        std::string_view text;
        std::size_t offset;
        bool farEast;
        ByteKind want;
    } rows[] = {
        {"\x88\x9F/", 2, true, ByteKind::Single},  // two set bytes before: a whole character
        {"\x81/", 1, true, ByteKind::Trail},
        {"\x81/", 0, true, ByteKind::Lead},
        {"\x81/", 2, true, ByteKind::Single},  // the terminating zero
        {"\x81\x81\x81", 2, true, ByteKind::Lead},
        {"\x81\x81\x81", 1, true, ByteKind::Trail},
        {"a\x81", 1, true, ByteKind::Lead},
        {"\x81/", 1, false, ByteKind::Single},
    };
    for (const auto& row : rows) {
        const std::string text(row.text);
        const ByteKind kind = ByteKindAt(text.c_str(), row.offset, row.farEast ? testing_text::Cp932LeadBytes() : plain);
        CHECK_EQ_AT(std::string(KindName(kind)), std::string(KindName(row.want)),
                    check::Show(row.text) + " @" + std::to_string(row.offset));
    }
}

TEST(find_text_skips_occurrences_on_trail_bytes) {
    const struct {
        std::string_view pattern, text;
        int want;
    } rows[] = {
        {"/", "/D", 1}, {"/", "D/", 2}, {"/", "", 0}, {"", "/", 0}, {"/", "DT", 0},
        {"/", "\x81/", 0}, {"/", "\x81//", 3}, {"/", "\x88\x9F/", 3}, {"DT", "/DT", 2},
        {"\x82", "\x81\x82\x82", 3},  // after a trail byte that is also a lead byte value
    };
    for (const auto& row : rows) {
        CHECK_EQ_AT(FindText(row.pattern, row.text, testing_text::Cp932LeadBytes()), row.want, check::Show(row.text));
    }
}

TEST(replace_text_removes_slashes_that_begin_a_character) {
    const LeadByteSet plain;
    const struct {
        std::string_view text, pattern, replacement;
        bool cp932;
        std::string_view want;
    } rows[] = {
        {"/", "/", "", false, ""},
        {"//", "/", "", false, ""},
        {"/D/", "/", "", false, "D"},
        {"/D/T/N", "/", "", false, "DTN"},
        {"/D /T", "/", "", false, "D T"},
        {"\x81/D", "/", "", true, "\x81/D"},    // "/" as a trail byte stays
        {"\x88\x9F/", "/", "", true, "\x88\x9F"},
        {"/\x81/D/", "/", "", true, "\x81/D"},
        {"aXbxc", "x", "-", false, "a-b-c"},   // found without regard to case
        {"abc", "B", "", false, "ac"},
        {"", "/", "", false, ""},
    };
    for (const auto& row : rows) {
        CHECK_EQ_AT(testing_text::ReplaceText(row.text, row.pattern, row.replacement, row.cp932 ? testing_text::Cp932LeadBytes() : plain),
                    std::string(row.want), check::Show(row.text));
    }
}
