// The POSIX build's reading of locale names (LC_ALL, LANG, ...): each row is
// what Wine 8.0 gave under LC_ALL set to the name (GetThreadLocale, the date
// and time separators, GetACP and GetOEMCP).
#include <string>

#include "check.h"
#include "platform/unix/locale.h"

TEST(locale_names_find_their_locales) {
    constexpr long long kCustom = 0x0C00;
    const struct {
        const char* name;
        long long id;
        const char* date;
        const char* time;
        long long codePage;
        long long oemCodePage;
    } rows[] = {
        // Language and region with a numeric id; case, encoding, "-" or "_".
        {"ja_JP.UTF-8", 0x0411, "/", ":", 932, 932},
        {"JA_jp", 0x0411, "/", ":", 932, 932},
        {"de_DE@euro", 0x0407, ".", ":", 1252, 850},
        {"de_AT.ISO-8859-1@euro", 0x0C07, ".", ":", 1252, 850},
        {"en_IN", 0x4009, "/", ":", 1252, 437},
        {"es_US", 0x540A, "/", ":", 1252, 850},
        {"zh_SG.GB2312", 0x1004, "\xC4\xEA" /* 年 in code page 936 */, ":", 936, 936},
        // A language in a region without a numeric id: the custom locale,
        // its own separators, the default code pages.
        {"de_BE.UTF-8", kCustom, ".", ":", 1252, 437},
        {"DE_be", kCustom, ".", ":", 1252, 437},
        {"de-BE", kCustom, ".", ":", 1252, 437},
        {"ru_UA.UTF-8", kCustom, ".", ":", 1252, 437},
        {"en_DK.UTF-8", kCustom, "/", ".", 1252, 437},
        {"ko_KP", kCustom, ". ", ":", 1252, 437},
        {"eo", kCustom, "-", ":", 1252, 437},
        // A language alone: the locale Wine makes of it.
        {"ja", 0x0411, "/", ":", 932, 932},
        {"en", 0x0409, "/", ":", 1252, 437},
        {"az", 0x042C, ".", ":", 1254, 857},
        {"sr", 0x241A, ". ", ":", 1250, 852},
        {"no", 0x0414, ".", ":", 1252, 850},
        {"zh_Hant", 0x0C04, "/", ":", 950, 950},
        // Scripts: from a modifier, or written into the name; a name that
        // needs one and has none, or has one that does not exist, is unknown.
        {"sr_RS@latin", 0x241A, ". ", ":", 1250, 852},
        {"sr_RS.UTF-8@cyrillic", 0x281A, ". ", ":", 1251, 855},
        {"sr@latin", 0x241A, ". ", ":", 1250, 852},
        {"sr_Latn_RS", 0x241A, ". ", ":", 1250, 852},
        {"uz_UZ@cyrillic", 0x0843, "/", ":", 1251, 866},
        {"uz_UZ@latin", 0x0443, "/", ":", 1254, 857},
        {"pa_PK@arabic", 0x0846, "-", ":", 1256, 720},
        {"mn_MN@mongolian", 0x0C50, "-", ":", 65001, 65001},
        {"chr_US@cherokee", 0x045C, "/", ":", 65001, 65001},
        {"shi_MA@tifinagh", kCustom, "-", ":", 1252, 437},
        {"vai_LR@vai", kCustom, "-", ":", 1252, 437},
        {"vai_LR@latin", kCustom, "/", ":", 1252, 437},
        {"ccp_BD@chakma", kCustom, "/", ":", 1252, 437},
        {"ks_IN", kCustom, "/", ":", 1252, 437},
        {"ff_NG.UTF-8", 0x0467, "-", ":", 1252, 850},
        {"sr_RS", 0x0409, "/", ":", 1252, 437},
        {"az_AZ", 0x0409, "/", ":", 1252, 437},
        {"uz_UZ", 0x0409, "/", ":", 1252, 437},
        {"de_DE@latin", 0x0409, "/", ":", 1252, 437},
        {"pa_IN@arabic", 0x0409, "/", ":", 1252, 437},
        // Other modifiers: "valencia" ends the name; the rest are dropped,
        // and a modifier is only the text after "@", in lower case.
        {"ca_ES@valencia", 0x0803, "/", ":", 1252, 850},
        {"ca_ES.UTF-8@valencia", 0x0803, "/", ":", 1252, 850},
        {"ca_ES_valencia", 0x0803, "/", ":", 1252, 850},
        {"ca@valencia", 0x0409, "/", ":", 1252, 437},
        {"de_CH@valencia", 0x0409, "/", ":", 1252, 437},
        {"ca_ES@Valencia", 0x0403, "/", ":", 1252, 850},
        {"tt_RU@iqtelif", 0x0444, ".", ":", 1251, 866},
        {"ff_SN@adlam", 0x0867, "-", ":", 1252, 850},
        {"sr_RS@Latn", 0x0409, "/", ":", 1252, 437},
        {"sr_RS@latin.UTF-8", 0x0409, "/", ":", 1252, 437},
        // Sort variants name their locale.
        {"de_DE_phoneb", 0x0407, ".", ":", 1252, 850},
        {"es_ES_tradnl", 0x040A, "/", ":", 1252, 850},
        // Unicode-only locales run in UTF-8.
        {"hi_IN.UTF-8", 0x0439, "/", ":", 65001, 65001},
        {"sd_IN@devanagari", 0x0459, "/", ":", 65001, 65001},
        // Unknown names, C and POSIX.
        {"zz_ZZ", 0x0409, "/", ":", 1252, 437},
        {"de_ZZ", 0x0409, "/", ":", 1252, 437},
        {"yue_HK", 0x0409, "/", ":", 1252, 437},
        {"de__DE", 0x0409, "/", ":", 1252, 437},
        {"e", 0x0409, "/", ":", 1252, 437},
        {"C.UTF-8", 0x0409, "/", ":", 1252, 437},
        {"POSIX", 0x0409, "/", ":", 1252, 437},
        {"", 0x0409, "/", ":", 1252, 437},
        {".UTF-8", 0x0409, "/", ":", 1252, 437},
        {"@latin", 0x0409, "/", ":", 1252, 437},
        {"sr_Latn_RS_with_a_name_longer_than_any_locale_name@latin", 0x0409, "/", ":", 1252, 437},
    };
    for (const auto& row : rows) {
        const tikvan::posix::LocaleData& locale = tikvan::posix::LocaleOfName(row.name);
        CHECK_EQ_AT(static_cast<long long>(locale.id), row.id, row.name);
        CHECK_EQ_AT(std::string(locale.dateSeparator), std::string(row.date), row.name);
        CHECK_EQ_AT(std::string(locale.timeSeparator), std::string(row.time), row.name);
        CHECK_EQ_AT(static_cast<long long>(tikvan::posix::AnsiCodePage(locale)), row.codePage, row.name);
        CHECK_EQ_AT(static_cast<long long>(tikvan::posix::OemCodePage(locale)), row.oemCodePage, row.name);
    }
}
