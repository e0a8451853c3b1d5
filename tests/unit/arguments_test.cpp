#include <doctest/doctest.h>

#include <string>

#include "args/arguments.h"
#include "text.h"

using namespace tikvan;

// Starts below 1 count as 1; counts are cut to the text; a negative count
// gives nothing.
TEST_CASE("byte ranges") {
    CHECK(ByteRange("abc", 0, 2) == "ab");
    CHECK(ByteRange("abc", 3, 5) == "c");
    CHECK(ByteRange("abc", 4, 1).empty());
    CHECK(ByteRange("abc", 2, -1).empty());
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
