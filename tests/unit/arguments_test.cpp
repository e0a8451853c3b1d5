#include <doctest/doctest.h>

#include "text.h"

using namespace tikvan;
using testing_text::Cp932;
using testing_text::ReplaceText;

// Starts below 1 count as 1; counts are cut to the text; a negative count gives nothing.
TEST_CASE("byte ranges") {
    CHECK(ByteRange("abc", 0, 2) == "ab");
    CHECK(ByteRange("abc", 3, 5) == "c");
    CHECK(ByteRange("abc", 4, 1).empty());
    CHECK(ByteRange("abc", 2, -1).empty());
}

// An occurrence on a trail byte, a byte after an odd run of lead bytes, stays.
TEST_CASE("replace text skips occurrences on trail bytes") {
    CHECK(ReplaceText("\x81/D/", "/", "") == "\x81" "D");
    CHECK(ReplaceText("/\x81//D", "/", "", Cp932()) == "\x81/D");
    CHECK(ReplaceText("\x88\x9F/", "/", "", Cp932()) == "\x88\x9F");
    CHECK(ReplaceText("\x81\x82\x82", "\x82", "", Cp932()) == "\x81\x82");
    CHECK(ReplaceText("aXbxc", "x", "-") == "a-b-c");
    CHECK(ReplaceText("abc", "", "-") == "abc");
    char out[2];
    CHECK(ReplaceText("abc", "x", "", CharacterSet(), out, sizeof out) == "ab");
}
