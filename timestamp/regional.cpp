#include "timestamp/regional.h"

#include <algorithm>
#include <iterator>

#include "platform/lead_byte_ranges.h"
#include "platform/win32.h"

namespace tikvan {

namespace {

RegionalSettings settings;

constexpr LCID kDefaultLocale = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);

// Languages whose text is single-byte on every system, by primary language.
bool IsWesternLanguage(LANGID language) {
    constexpr LANGID kWestern[] = {LANG_NEUTRAL, LANG_DANISH,  LANG_GERMAN, LANG_ENGLISH,   LANG_SPANISH,    LANG_FINNISH,
                                   LANG_FRENCH,  LANG_ITALIAN, LANG_DUTCH,  LANG_NORWEGIAN, LANG_PORTUGUESE, LANG_SWEDISH};
    return std::ranges::find(kWestern, language) != std::end(kWestern);
}

// A one-byte locale item. The two-byte buffer holds one byte and its
// terminating zero, so a longer value fails and gives the default; an empty
// value gives the zero byte.
char LocaleByte(LCID locale, LCTYPE item, char fallback) {
    char buffer[2];
    return GetLocaleInfoA(locale, item, buffer, sizeof buffer) > 0 ? buffer[0] : fallback;
}

// The locale's ANSI code page; the process's when the locale's is not a
// number.
UINT LocaleCodePage(LCID locale) {
    char buffer[7];
    if (GetLocaleInfoA(locale, LOCALE_IDEFAULTANSICODEPAGE, buffer, sizeof buffer) > 0 && buffer[0] != 0) {
        UINT codePage = 0;
        const char* digit = buffer;
        while (*digit >= '0' && *digit <= '9') codePage = codePage * 10 + static_cast<UINT>(*digit++ - '0');
        if (*digit == 0) return codePage;
    }
    return GetACP();
}

// The bytes of the lead-byte ranges of the locale's code page.
LeadByteSet LeadBytesOf(LCID locale) {
    LeadByteSet leadBytes;
    CPINFO info{};
    if (GetCPInfo(LocaleCodePage(locale), &info)) {
        ForEachLeadByteRange(info.LeadByte, [&](BYTE low, BYTE high) { leadBytes.AddRange(low, high); });
    }
    return leadBytes;
}

}  // namespace

void LoadRegionalSettings() {
    RegionalSettings loaded;
    LCID locale = kDefaultLocale;
    if (const LCID thread = GetThreadLocale(); thread != 0) locale = thread;
    LANGID language = LANGIDFROMLCID(locale);
    if (language == 0) language = LANGIDFROMLCID(kDefaultLocale);
    if (!IsWesternLanguage(PRIMARYLANGID(language))) {
        loaded.characters.leadBytes = LeadBytesOf(locale);
    }
    loaded.characters.farEast = !loaded.characters.leadBytes.Empty();
    // The separators follow the thread's locale as it is now.
    const LCID formats = GetThreadLocale();
    loaded.dateSeparator = LocaleByte(formats, LOCALE_SDATE, '/');
    loaded.timeSeparator = LocaleByte(formats, LOCALE_STIME, ':');
    settings = loaded;
}

const RegionalSettings& Regional() { return settings; }

}  // namespace tikvan
