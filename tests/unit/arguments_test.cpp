#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "args/arguments.h"
#include "text.h"

using namespace tikvan;

// The arguments after any program name; in code page 932 a trail byte is never a blank or a quote.
TEST_CASE("command lines split into arguments") {
    const struct {
        bool cp932;
        std::string line;
        std::vector<std::string> want;
    } rows[] = {
        {false, "   \t ", {}},
        {false, "\"\" /D \"\" \"\"\"\" /T", {"/D", "/T"}},
        {false, "\"/D /T\"", {"/D /T"}},
        {false, "\"a\"\"b\" a\"b c\"d", {"ab", "ab cd"}},
        {false, "/D \"", {"/D"}},
        {false, "/D \"/T", {"/D", "/T"}},
        {false, "/D\x01/T\x1F/N\x20/?", {"/D", "/T", "/N", "/?"}},
        {true, "/D\x81\x40/T", {"/D\x81\x40/T"}},
        {true, "\"\x81\x22\" /D", {"\x81\x22", "/D"}},
        {true, "/D\x81", {"/D\x81"}},
    };
    for (const std::string name : {"t", "\"C:\\Program Files\\t.exe\"", "x\"y z\"w", "\x81\x20"}) {
        for (const auto& row : rows) {
            const std::string line = name + " " + row.line;
            CAPTURE(line);
            const CharacterStep step = row.cp932 ? testing_text::StepCp932 : testing_text::StepSingleByte;
            if (name[0] != '\x81' || row.cp932) CHECK(testing_text::Split(line, step) == row.want);
        }
    }
}

// Starts below 1 count as 1; counts are cut to the text.
TEST_CASE("byte ranges") {
    CHECK((ByteRange("abc", 0, 2) == "ab" && ByteRange("abc", 3, 5) == "c" && ByteRange("abc", 4, 1).empty()));
}

// An occurrence on a trail byte, a byte after an odd run of lead bytes, stays.
TEST_CASE("replace text skips occurrences on trail bytes") {
    const auto replace = [](bool cp932, std::string_view text, std::string_view pattern, std::string_view replacement) {
        return testing_text::ReplaceText(text, pattern, replacement, cp932 ? testing_text::Cp932() : CharacterSet());
    };
    CHECK(replace(false, "\x81/D/", "/", "") == "\x81" "D");
    CHECK(replace(true, "/\x81//D", "/", "") == "\x81/D");
    CHECK(replace(true, "\x88\x9F/", "/", "") == "\x88\x9F");
    CHECK(replace(true, "\x81\x82\x82", "\x82", "") == "\x81\x82");
    CHECK(replace(false, "aXbxc", "x", "-") == "a-b-c");
    CHECK(replace(false, "abc", "", "-") == "abc");
    char out[2];
    CHECK(ReplaceText("abc", "x", "", CharacterSet(), out, sizeof out) == "ab");
}
