// The POSIX build's conversion of UTF-8 text (the command line, the
// program's path, the texts) into a code page, as Wine converts it.
#include <doctest/doctest.h>

#include <string>

#include "platform/unix/code_page.h"

using namespace tikvan::posix;

TEST_CASE("UTF-8 becomes code page bytes") {
    const auto convert = [](std::string_view utf8, UINT codePage) {
        std::string out(3 * utf8.size(), '\0');
        out.resize(Utf8ToCodePage(utf8, codePage, out.data(), out.size()));
        return out;
    };
    const std::string r = "\xEF\xBF\xBD";  // U+FFFD in code page 65001
    CHECK(convert("\xE6\x97\xA5\xE4\xBB\x98\xEF\xBD\xB1", 932) == "\x93\xFA\x95\x74\xB1");  // 日付ｱ
    CHECK(convert("\xF0\x9F\x98\x80\xE3\x81\xE3\x81\x82", 932) == "???\x82\xA0");  // an emoji, a cut character, あ
    CHECK(convert("\xEF\xBF\xBF", 932) == "?");  // U+FFFF, the last character of one unit
    CHECK(convert("/\xEF\xBC\xA4\xC3\xA9\xE3\x81\x82\x7F", 1252) == "/D\xE9?\x7F");  // /Ｄéあ DEL
    CHECK(convert("\xC4\x80\xE3\x81\x82\xF0\x90\x80\x80\xF0\x90\x81\x80\xF1\x80\x80\x80\xEF\xBF\xBF", 65001) ==
          "\xC4\x80\xE3\x81\x82\xF0\x90\x80\x80\xF0\x90\x81\x80\xF1\x80\x80\x80\xEF\xBF\xBF");  // U+0100, U+10000, U+10040, U+40000
    CHECK(convert("1\xE3\x81\xE3\x81\x82\xC0\x80", 65001) == "1" + r + "\xE3\x81\x82" + r + r);
    CHECK(convert("2\xE0\x80\x80\xED\xA0\x80\xF0\x8F\xBF\xBF\xF4\x90\x80\x80", 65001) == "2" + r + r + r + r + r + r + r + r + r + r);
    CHECK(convert("4\x80\xF8\x88", 65001) == "4" + r + r + r);
    CHECK(convert("5\xE3\x41\xF0\x9F\x98", 65001) == "5" + r + "A" + r);
    char out[3] = {'x', 'x', 'x'};
    CHECK(Utf8ToCodePage("\xE3\x81\x82\xE3\x81\x82", 932, out, sizeof out) == 2);
    CHECK(std::string(out, 3) == "\x82\xA0x");
}
