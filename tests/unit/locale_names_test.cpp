// The POSIX build's reading of locale names (LC_ALL, LANG, ...).
#include "check.h"
#include "platform/unix/locale.h"

// The name without encoding and modifier, letter for letter in either case
// and with "_" for "-"; a name that is only a start of table names takes the
// first of them that continues it with "-".
TEST(locale_names_find_their_locales) {
    const struct {
        const char* name;
        long long want;
    } rows[] = {
        {"ja_JP.UTF-8", 0x0411}, {"JA_jp", 0x0411},      {"ja", 0x0411},          {"de_DE@euro", 0x0407},
        {"zh_TW.Big5", 0x0404},  {"ca_ES", 0x0403},      {"ca_ES_valencia", 0x0803}, {"az", 0x082C},
        {"sr_Latn", 0x181A},     {"en", 0x2409},         {"e", 0x0409},           {"C.UTF-8", 0x0409},
        {"POSIX", 0x0409},       {"", 0x0409},           {".UTF-8", 0x0409},      {"zz_ZZ", 0x0409},
        // Names without the script, as Wine takes them; az_AZ is not one.
        {"ff_NG.UTF-8", 0x0467}, {"sd_PK", 0x0859},      {"tzm_DZ", 0x085F},      {"az_AZ", 0x0409},
    };
    for (const auto& row : rows) {
        CHECK_EQ_AT(static_cast<long long>(tikvan::posix::LocaleOfName(row.name)), row.want, row.name);
    }
}
