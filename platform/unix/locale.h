// Locale names of the POSIX body. Internal to unix/.
#pragma once

#include <memory>
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

// The system locale, whose code pages the process runs in (never one
// without a numeric id), and the user locale, the thread locale.
struct ProcessLocales {
    const LocaleData* system;
    const LocaleData* user;
};

// The locales Wine starts a process in, from the names the C library
// reports for its character-type and message categories once it has taken
// its locale from the environment, and the value of LC_ALL; each may be
// null.
ProcessLocales LocalesOfNames(const char* ctype, const char* messages, const char* all);

// The locales that the locale variables name, as LocalesOfNames reads them
// where the C library has every named locale installed.
ProcessLocales NamedLocales();

// The process's ANSI and OEM code pages under a system locale.
UINT AnsiCodePage(const LocaleData& locale);
UINT OemCodePage(const LocaleData& locale);

// Text of the system (words and file names) in the ANSI code page, as Wine
// reads it: from the codeset of the C library's character-type locale, once
// the C library has taken it from the environment. ASCII text and text of a
// plain-ASCII codeset (C, or a locale that is not installed) are kept as
// they are; any other codeset is converted, from UTF-8 as Utf8ToCodePage
// reads it and from the others by the C library's own conversion. The
// result is the text itself or lies in `converted`. Memory that runs out,
// the locale's loading included, raises exhausted memory as operator new
// does.
std::string_view SystemTextInAnsi(std::string_view text, std::unique_ptr<char[]>& converted);

}  // namespace tikvan::posix
