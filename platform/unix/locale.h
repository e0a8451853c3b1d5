// Locale names of the POSIX body. Internal to unix/.
#pragma once

#include <string_view>

#include "platform/win32.h"

namespace tikvan::posix {

// What the locale queries answer for one locale, as Wine reports it: the
// thread locale (LOCALE_CUSTOM_DEFAULT for a name without a numeric id),
// the separators as GetLocaleInfoA gives them, and the default ANSI and OEM
// code pages (0 and 1 for a locale with none of its own).
struct LocaleData {
    LCID id;
    std::string_view dateSeparator;
    std::string_view timeSeparator;
    UINT codePage;
    UINT oemCodePage;
};

// The locale that Wine takes for a POSIX locale name such as ja_JP.UTF-8,
// de_BE@euro, sr_RS@latin or ja; English (United States) for C and POSIX;
// null for a name that no locale has.
const LocaleData* LocaleOfName(std::string_view posixName);

// The process's ANSI and OEM code pages under a system locale.
UINT AnsiCodePage(const LocaleData& locale);
UINT OemCodePage(const LocaleData& locale);

// Whether the system hands the program text in UTF-8: the codeset of the C
// library's character-type locale, once it has taken it from the
// environment.
bool SystemTextIsUtf8();

}  // namespace tikvan::posix
