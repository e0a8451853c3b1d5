// The POSIX build's conversions into the ANSI and OEM code pages, against
// the bytes tikvan.exe gets and writes under Wine.
#include <cstdlib>
#include <string>

#include "check.h"
#include "platform/unix/code_page.h"

using tikvan::posix::Utf8ToCodePage;

namespace {

// The whole conversion: at most three bytes for each byte of UTF-8.
std::string Utf8ToCodePage(std::string_view utf8, UINT codePage) {
    std::string out(3 * utf8.size(), '\0');
    out.resize(tikvan::posix::Utf8ToCodePage(utf8, codePage, out.data(), out.size()));
    return out;
}

}  // namespace

// UTF-8 words in the ANSI code pages: double-byte characters, best fit,
// "?" where there is nothing, and characters beyond U+FFFF.
TEST(utf8_words_become_ansi_code_page_bytes) {
    const struct {
        UINT codePage;
        std::string_view utf8;
        std::string_view want;
    } rows[] = {
        {932, "\xE3\x81\x82", "\x82\xA0"},                      // あ
        {932, "\xE6\x97\xA5\xE4\xBB\x98", "\x93\xFA\x95\x74"},  // 日付
        {932, "\xEF\xBD\xB1", "\xB1"},                          // ｱ, one byte
        {932, "\xE2\x88\x91", "\x87\x94"},                      // ∑
        {932, "/\xEF\xBC\xA4", "/\x82\x63"},                    // /Ｄ
        {932, "\xF0\x9F\x98\x80", "??"},                        // an emoji: two surrogates
        {949, "\xE3\x81\x82", "\xAA\xA2"},                      // あ
        {949, "\xE6\x97\xA5\xE4\xBB\x98", "\xEC\xED\xDC\xF5"},  // 日付
        {949, "\xEA\xB0\x80", "\xB0\xA1"},                      // 가
        {949, "\xEF\xBD\xB1", "?"},                             // ｱ
        {936, "\xE3\x83\xBC", "\xA9\x60"},                      // ー
        {1252, "/\xEF\xBC\xA4", "/D"},                          // /Ｄ, best fit
        {1252, "\xEF\xBC\x82\xE3\x80\x80", "\" "},              // ＂ and the ideographic space
        {1252, "\xC3\xA9\xE2\x82\xAC", "\xE9\x80"},             // é€
        {1252, "\xE3\x81\x82\xE3\x83\xBC", "??"},               // あー
        {1254, "\xE3\x83\xBC", "\x97"},                         // ー, best fit: a dash
        {1250, "\xE3\x83\xBC", "\x97"},                         // ー, best fit: a dash
        {1251, "\xD0\x96", "\xC6"},                             // Ж
        {65001, "\xE3\x81\x82\xF0\x9F\x98\x80", "\xE3\x81\x82\xF0\x9F\x98\x80"},
        {65001, "a\xFF", "a\xEF\xBF\xBD"},
        {1252, "plain /DTN", "plain /DTN"},
    };
    for (const auto& row : rows) {
        CHECK_EQ_AT(Utf8ToCodePage(row.utf8, row.codePage), std::string(row.want),
                    std::to_string(row.codePage) + " " + check::Show(row.utf8));
    }
}

// Malformed UTF-8 as Wine reads it: each U+FFFD is EF BF BD in code page
// 65001.
TEST(malformed_utf8_gives_replacement_characters) {
    const std::string r = "\xEF\xBF\xBD";
    const struct {
        std::string_view utf8;
        std::string want;
    } rows[] = {
        {"1\xE3\x81\xE3\x81\x82", "1" + r + "\xE3\x81\x82"},  // cut short by the next lead byte
        {"2\xC0\x80", "2" + r + r},                           // C0 and C1 lead nothing
        {"3\xED\xA0\x80", "3" + r + r},                       // a surrogate: ED A0 is one
        {"4\xF4\x90\x80\x80", "4" + r + r + r},               // beyond U+10FFFF
        {"5\x80\x80", "5" + r + r},                           // lone continuation bytes
        {"6\xF0\x9F\x98", "6" + r},                           // cut by the end
        {"8\xE0\x80\xAF", "8" + r + r},                       // overlong
        {"9\xF8\x88\x80\x80\x80", "9" + r + r + r + r + r},   // F8 leads nothing
        {"A\xF5\x80\x80\x80", "A" + r + r + r + r},           // nor does F5
        {"B\xEF\xBF\xBF", "B\xEF\xBF\xBF"},                   // U+FFFF is a character
        {"C\xF0\x80\x80\x80", "C" + r + r + r},               // overlong
        {"E\xE3\x41", "E" + r + "A"},                         // the byte that cuts is kept
        {"F\xE3\x81 /D", "F" + r + " /D"},
    };
    for (const auto& row : rows) {
        CHECK_EQ_AT(Utf8ToCodePage(row.utf8, 65001), row.want, check::Show(row.utf8));
    }
    CHECK_EQ(Utf8ToCodePage("\xE3\x81\xE3\x81\x82", 932), std::string("?\x82\xA0"));
}

// A buffer takes whole characters only.
TEST(conversion_into_a_buffer_stops_at_a_whole_character) {
    char out[3] = {'x', 'x', 'x'};
    CHECK_EQ(Utf8ToCodePage("\xE3\x81\x82\xE3\x81\x82", 932, out, sizeof out), 2U);
    CHECK_EQ(std::string(out, 3), std::string("\x82\xA0x"));
}

// CharToOemA: the report's ANSI bytes in the OEM code page of the locale.
TEST(ansi_text_becomes_oem_text) {
    const struct {
        UINT ansi;
        UINT oem;
        std::string_view text;
        std::string_view want;
    } rows[] = {
        {1252, 850, "\xE9 I/O", "\x82 I/O"},          // é
        {1252, 437, "\xE9\x80", "\x82?"},             // é€; 437 has no euro sign
        {1251, 866, "\xC6", "\x86"},                  // Ж
        {1254, 857, "\x97? \xFD", "-? \x8D"},        // a dash, ı
        {1250, 852, "\x97\xB9", "-\xA5"},             // a dash, ą
        {932, 932, "\x82\xA0\x81\x5B", "\x82\xA0\x81\x5B"},
        {65001, 65001, "\xE3\x81\x82", "\xE3\x81\x82"},
    };
    for (const auto& row : rows) {
        std::string text(row.text);
        tikvan::posix::AnsiToOem(text.data(), text.size(), row.ansi, row.oem);
        CHECK_EQ_AT(text, std::string(row.want), std::to_string(row.ansi) + " " + std::to_string(row.oem));
    }
}

// The codeset of the first of LC_ALL, LC_CTYPE and LANG that is set and
// not empty.
TEST(system_text_is_utf8_by_the_locale_codeset) {
    const struct {
        const char* all;
        const char* ctype;
        const char* lang;
        bool want;
    } rows[] = {
        {"ja_JP.UTF-8", nullptr, nullptr, true},  {"ja_JP.utf8", nullptr, nullptr, true},
        {"C.UTF-8", nullptr, nullptr, true},      {"de_DE.UTF-8@euro", nullptr, nullptr, true},
        {"ja_JP", nullptr, "ja_JP.UTF-8", false}, {"C", nullptr, nullptr, false},
        {"ja_JP.eucJP", nullptr, nullptr, false}, {"", "ko_KR.UTF-8", "C", true},
        {nullptr, nullptr, "zh_CN.UTF-8", true},  {nullptr, "POSIX", "zh_CN.UTF-8", false},
        {nullptr, nullptr, nullptr, false},
    };
    const char* names[] = {"LC_ALL", "LC_CTYPE", "LANG"};
    std::string saved[3];
    bool had[3];
    for (int i = 0; i < 3; ++i) {
        const char* value = std::getenv(names[i]);
        had[i] = value != nullptr;
        if (had[i]) saved[i] = value;
    }
    for (const auto& row : rows) {
        const char* values[] = {row.all, row.ctype, row.lang};
        for (int i = 0; i < 3; ++i) {
            if (values[i] == nullptr) unsetenv(names[i]);
            else setenv(names[i], values[i], 1);
        }
        CHECK_AT(tikvan::posix::SystemTextIsUtf8() == row.want,
                 std::string(row.all ? row.all : "-") + " " + (row.ctype ? row.ctype : "-") + " " + (row.lang ? row.lang : "-"));
    }
    for (int i = 0; i < 3; ++i) {
        if (had[i]) setenv(names[i], saved[i].c_str(), 1);
        else unsetenv(names[i]);
    }
}
