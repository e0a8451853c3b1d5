#include "timestamp/regional.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <string_view>
#include <system_error>

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

// One locale item as text, without its terminating zero; `fallback` where
// the query fails, a value too long for `buffer` included. An empty value
// gives the empty text.
template <std::size_t Size>
std::string_view LocaleText(LCID locale, LCTYPE item, std::string_view fallback, char (&buffer)[Size]) {
    const int length = GetLocaleInfoA(locale, item, buffer, Size);
    return length > 0 ? std::string_view(buffer, static_cast<std::size_t>(length - 1)) : fallback;
}

// A one-byte locale item. The two-byte buffer holds one byte and its
// terminating zero, so a longer value fails and gives the default; an empty
// value gives the zero byte.
char LocaleByte(LCID locale, LCTYPE item, char fallback) {
    char buffer[2];
    const std::string_view text = LocaleText(locale, item, {&fallback, 1}, buffer);
    return text.empty() ? '\0' : text.front();
}

// The locale's ANSI code page; the process's when the locale's is not a
// number.
UINT LocaleCodePage(LCID locale) {
    char buffer[7];
    const std::string_view text = LocaleText(locale, LOCALE_IDEFAULTANSICODEPAGE, {}, buffer);
    UINT codePage = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), codePage);
    return !text.empty() && failure == std::errc{} && end == text.data() + text.size() ? codePage : GetACP();
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
    const LCID thread = GetThreadLocale();
    const LCID locale = thread != 0 ? thread : kDefaultLocale;
    LANGID language = LANGIDFROMLCID(locale);
    if (language == 0) language = LANGIDFROMLCID(kDefaultLocale);
    if (!IsWesternLanguage(PRIMARYLANGID(language))) {
        loaded.characters.leadBytes = LeadBytesOf(locale);
    }
    // The thread's locale does not change while the settings load.
    loaded.dateSeparator = LocaleByte(thread, LOCALE_SDATE, '/');
    loaded.timeSeparator = LocaleByte(thread, LOCALE_STIME, ':');
    settings = loaded;
}

const RegionalSettings& Regional() { return settings; }

}  // namespace tikvan
