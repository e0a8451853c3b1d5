#include "timestamp/regional.h"

#include "platform/lead_byte_ranges.h"
#include "platform/win32.h"

namespace tikvan {

namespace {

RegionalSettings settings;

constexpr LCID kDefaultLocale = 0x0409;

// Languages whose text is single-byte on every system, by primary language
// id: neutral, Danish, German, English, Spanish, Finnish, French, Italian,
// Dutch, Norwegian, Portuguese and Swedish.
bool IsWesternLanguage(DWORD language) {
    constexpr DWORD kWestern = 1U << 0 | 1U << 6 | 1U << 7 | 1U << 9 | 1U << 10 | 1U << 11 | 1U << 12 | 1U << 16 |
                               1U << 19 | 1U << 20 | 1U << 22 | 1U << 29;
    return language < 32 && ((kWestern >> language) & 1U) != 0;
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
    const DWORD language = (locale & 0xFFFF) != 0 ? locale & 0x3FF : kDefaultLocale & 0x3FF;
    if (!IsWesternLanguage(language)) {
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
