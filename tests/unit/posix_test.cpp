// The POSIX build's locale names and code pages, as tikvan.exe sees them under Wine.
#include <doctest/doctest.h>

#include <cstdlib>
#include <string>

#include "platform/unix/code_page.h"
#include "platform/unix/locale.h"

using namespace tikvan::posix;

TEST_CASE("locale names find their locales") {
    const struct {
        const char *name, *date, *time;
        long long id, codePage, oemCodePage;
    } rows[] = {
        {"JA_jp.UTF-8", "/", ":", 0x0411, 932, 932},
        {"de-BE", ".", ":", 0x0C00, 1252, 437},  // no numeric id: the custom locale
        {"sr_RS.UTF-8@cyrillic", ". ", ":", 0x281A, 1251, 855},
        {"sr_Latn_RS", ". ", ":", 0x241A, 1250, 852},
        {"ca_ES.UTF-8@valencia", "/", ":", 0x0803, 1252, 850},
        {"hi_IN.UTF-8", "/", ":", 0x0439, 65001, 65001},
        {"zz_ZZ", "/", ":", 0x0409, 1252, 437},
    };
    for (const auto& row : rows) {
        CAPTURE(row.name);
        const LocaleData& locale = LocaleOfName(row.name);
        CHECK(locale.id == row.id);
        CHECK((std::string(locale.dateSeparator) == row.date && std::string(locale.timeSeparator) == row.time));
        CHECK((AnsiCodePage(locale) == row.codePage && OemCodePage(locale) == row.oemCodePage));
    }
    for (const char* name : {"sr_RS", "sr_RS@Latn", "sr_RS@latin.UTF-8", "de_CH@valencia", "de__DE", "C.UTF-8", ""})
        CHECK_MESSAGE(LocaleOfName(name).id == 0x0409, name);
    char text[4];  // a locale id other than the thread's answers for itself; a short buffer fails
    CHECK((GetLocaleInfoA(0x0407, LOCALE_SDATE, text, 4) == 2 && std::string(text) == "."));
    CHECK(GetLocaleInfoA(0x241A, LOCALE_SDATE, text, 2) == 0);
}

TEST_CASE("UTF-8 becomes code page bytes") {
    const auto convert = [](std::string_view utf8, UINT codePage) {
        std::string out(3 * utf8.size(), '\0');
        out.resize(Utf8ToCodePage(utf8, codePage, out.data(), out.size()));
        return out;
    };
    const std::string r = "\xEF\xBF\xBD";  // U+FFFD in code page 65001
    CHECK(convert("\xE6\x97\xA5\xE4\xBB\x98\xEF\xBD\xB1", 932) == "\x93\xFA\x95\x74\xB1");  // 日付ｱ
    CHECK(convert("\xF0\x9F\x98\x80\xE3\x81\xE3\x81\x82", 932) == "???\x82\xA0");  // an emoji, a cut character, あ
    CHECK(convert("/\xEF\xBC\xA4\xC3\xA9\xE3\x81\x82", 1252) == "/D\xE9?");       // /Ｄéあ
    CHECK(convert("\xE3\x81\x82\xF0\x9F\x98\x80\xEF\xBF\xBF", 65001) == "\xE3\x81\x82\xF0\x9F\x98\x80\xEF\xBF\xBF");
    CHECK(convert("1\xE3\x81\xE3\x81\x82\xC0\x80", 65001) == "1" + r + "\xE3\x81\x82" + r + r);
    CHECK(convert("2\xE0\x80\x80\xED\xA0\x80\xF0\x8F\xBF\xBF\xF4\x90\x80\x80", 65001) == "2" + r + r + r + r + r + r + r + r + r + r);
    CHECK(convert("4\x80\xF8\x88", 65001) == "4" + r + r + r);
    CHECK(convert("5\xE3\x41\xF0\x9F\x98", 65001) == "5" + r + "A" + r);
    char out[3] = {'x', 'x', 'x'};
    CHECK(Utf8ToCodePage("\xE3\x81\x82\xE3\x81\x82", 932, out, sizeof out) == 2);
    CHECK(std::string(out, 3) == "\x82\xA0x");
}

TEST_CASE("ANSI text becomes OEM text") {
    const auto oem = [](std::string text, UINT ansi, UINT oemCodePage) {
        AnsiToOem(text.data(), text.size(), ansi, oemCodePage);
        return text;
    };
    CHECK(oem("\xE9\x80 I/O", 1252, 437) == "\x82? I/O");  // é€
    CHECK(oem("\x97\xFD", 1254, 857) == "-\x8D");          // a dash, ı
    CHECK(oem("\x82\xA0\x81\x5B", 932, 932) == "\x82\xA0\x81\x5B");
}

// The codeset of the first of LC_ALL, LC_CTYPE and LANG that is set and not empty.
TEST_CASE("system text is UTF-8 by the locale codeset") {
    const auto utf8 = [](const char* all, const char* ctype, const char* lang) {
        for (const auto& [name, value] : {std::pair{"LC_ALL", all}, {"LC_CTYPE", ctype}, {"LANG", lang}}) {
            if (value == nullptr) unsetenv(name);
            else setenv(name, value, 1);
        }
        return SystemTextIsUtf8();
    };
    CHECK((utf8("ja_JP.utf8", nullptr, nullptr) && utf8("", "ko_KR.UTF-8", "C") && utf8(nullptr, nullptr, "de_DE.UTF-8@euro")));
    CHECK_FALSE((utf8("ja_JP", nullptr, "ja_JP.UTF-8") || utf8(nullptr, "POSIX", "zh_CN.UTF-8") || utf8("ja_JP.eucJP", nullptr, nullptr)));
    CHECK_FALSE(utf8(nullptr, nullptr, nullptr));
}
