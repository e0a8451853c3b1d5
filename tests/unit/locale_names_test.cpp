// The POSIX build's reading of locale names (LC_ALL, LANG, ...): each row is
// what Wine 8.0 gave under LC_ALL set to the name (GetThreadLocale, the date
// and time separators, GetACP and GetOEMCP).
#include <doctest/doctest.h>

#include <string>

#include "platform/unix/locale.h"

TEST_CASE("locale names find their locales") {
    constexpr long long kCustom = 0x0C00;
    const struct {
        const char* name;
        long long id;
        const char *date, *time;
        long long codePage, oemCodePage;
    } rows[] = {
        // Language and region with a numeric id; case, encoding, "-" or "_".
        {"ja_JP.UTF-8", 0x0411, "/", ":", 932, 932},
        {"JA_jp", 0x0411, "/", ":", 932, 932},
        {"de_DE@euro", 0x0407, ".", ":", 1252, 850},
        {"en_IN", 0x4009, "/", ":", 1252, 437},
        {"zh_SG.GB2312", 0x1004, "\xC4\xEA" /* 年 in code page 936 */, ":", 936, 936},
        // A language in a region without a numeric id: the custom locale,
        // its own separators, the default code pages.
        {"de_BE.UTF-8", kCustom, ".", ":", 1252, 437},
        {"de-BE", kCustom, ".", ":", 1252, 437},
        {"en_DK.UTF-8", kCustom, "/", ".", 1252, 437},
        {"ko_KP", kCustom, ". ", ":", 1252, 437},
        {"eo", kCustom, "-", ":", 1252, 437},
        // A language alone: the locale Wine makes of it.
        {"az", 0x042C, ".", ":", 1254, 857},
        {"sr", 0x241A, ". ", ":", 1250, 852},
        {"zh_Hant", 0x0C04, "/", ":", 950, 950},
        // Scripts: from a modifier, or written into the name.
        {"sr_RS@latin", 0x241A, ". ", ":", 1250, 852},
        {"sr_RS.UTF-8@cyrillic", 0x281A, ". ", ":", 1251, 855},
        {"sr_Latn_RS", 0x241A, ". ", ":", 1250, 852},
        {"vai_LR@latin", kCustom, "/", ":", 1252, 437},
        {"ff_NG.UTF-8", 0x0467, "-", ":", 1252, 850},
        // Other modifiers: "valencia" ends the name; the rest are dropped.
        {"ca_ES@valencia", 0x0803, "/", ":", 1252, 850},
        {"ca_ES.UTF-8@valencia", 0x0803, "/", ":", 1252, 850},
        {"ca_ES_valencia", 0x0803, "/", ":", 1252, 850},
        {"ca_ES@Valencia", 0x0403, "/", ":", 1252, 850},
        {"tt_RU@iqtelif", 0x0444, ".", ":", 1251, 866},
        {"ff_SN@adlam", 0x0867, "-", ":", 1252, 850},
        // Sort variants name their locale.
        {"de_DE_phoneb", 0x0407, ".", ":", 1252, 850},
        // Unicode-only locales run in UTF-8.
        {"hi_IN.UTF-8", 0x0439, "/", ":", 65001, 65001},
    };
    for (const auto& row : rows) {
        CAPTURE(row.name);
        const tikvan::posix::LocaleData& locale = tikvan::posix::LocaleOfName(row.name);
        CHECK(locale.id == row.id);
        CHECK(std::string(locale.dateSeparator) == row.date);
        CHECK(std::string(locale.timeSeparator) == row.time);
        CHECK(tikvan::posix::AnsiCodePage(locale) == row.codePage);
        CHECK(tikvan::posix::OemCodePage(locale) == row.oemCodePage);
    }
    // Unknown names, and names whose script is missing, does not exist or
    // is not the modifier's lower-case text: English (United States), as
    // for C.
    for (const char* name : {"sr_RS", "de_DE@latin", "sr_RS@Latn", "sr_RS@latin.UTF-8", "ca@valencia", "de_CH@valencia",
                             "zz_ZZ", "de_ZZ", "de__DE", "e", "C.UTF-8", "", "@latin",
                             "sr_Latn_RS_with_a_name_longer_than_any_locale_name@latin"}) {
        CAPTURE(name);
        CHECK(tikvan::posix::LocaleOfName(name).id == 0x0409);
    }
}
