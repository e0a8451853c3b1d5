// Locale queries answered as Wine answers them, from the table in
// locale_table.inc, which regenerate.sh writes from Wine's own answers.
// No file is read at run time.
//
// The locale in force is the one Wine picks from the environment: LC_ALL,
// else LC_MESSAGES, else LANG gives the thread locale; LC_ALL, else LC_CTYPE,
// else LANG gives the ANSI and OEM code pages, through that locale's
// defaults. A name is made into the locale name Wine makes of it (see
// LocaleOfName) and looked up among every name Wine takes; C, POSIX, no
// name and an unknown name give English (United States) and code pages
// 1252 and 437. A locale without a numeric id is reported as
// LOCALE_CUSTOM_DEFAULT and runs in code pages 1252 and 437.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <cstdint>
#include <string_view>

#include "platform/lead_byte_ranges.h"
#include "platform/unix/code_page.h"
#include "platform/unix/locale.h"
#include "platform/win32.h"

namespace {

using tikvan::posix::LocaleData;

struct NameRow {
    std::string_view name;
    std::uint16_t row;
};

struct CodePageRow {
    UINT codePage;
    BYTE leadBytes[MAX_LEADBYTES];
};

constexpr LocaleData kLocales[] = {
#define TIKVAN_LOCALE(id, date, time, codePage, oemCodePage) {id, date, time, codePage, oemCodePage},
#include "platform/unix/locale_table.inc"
};

// Every name Wine takes for a locale, with its row of kLocales.
constexpr NameRow kNames[] = {
#define TIKVAN_LOCALE_NAME(name, row) {name, row},
#include "platform/unix/locale_table.inc"
};

constexpr CodePageRow kCodePages[] = {
#define TIKVAN_CODE_PAGE(codePage, ...) {codePage, {__VA_ARGS__}},
#include "platform/unix/locale_table.inc"
};

// The locale of a name without a numeric id, as GetThreadLocale reports it;
// its queries answer from the data of the name in force.
constexpr LCID kCustomDefault = 0x0C00;
constexpr LCID kDefaultLocale = 0x0409;
// Such a locale runs the process in the default code pages, and so does a
// locale without one of its own (ANSI 0, OEM 1) in UTF-8.
constexpr UINT kDefaultCodePage = 1252;
constexpr UINT kDefaultOemCodePage = 437;
constexpr UINT kUtf8 = 65001;

// Names are compared without case and with "_" for "-".
constexpr unsigned char Fold(char c) { return c == '_' ? '-' : static_cast<unsigned char>(c | 0x20); }

constexpr bool FoldedLess(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Fold(x) < Fold(y); });
}

static_assert(std::is_sorted(std::begin(kNames), std::end(kNames),
                             [](const NameRow& a, const NameRow& b) { return FoldedLess(a.name, b.name); }));
static_assert(std::all_of(std::begin(kNames), std::end(kNames),
                          [](const NameRow& row) { return row.row < std::size(kLocales); }));

// The shortest and the longest table name, which bound the names looked up:
// C, the most common name, is shorter than any.
constexpr std::size_t kShortestName = std::min_element(std::begin(kNames), std::end(kNames), [](const NameRow& a, const NameRow& b) {
                                          return a.name.size() < b.name.size();
                                      })->name.size();
constexpr std::size_t kLongestName = std::max_element(std::begin(kNames), std::end(kNames), [](const NameRow& a, const NameRow& b) {
                                         return a.name.size() < b.name.size();
                                     })->name.size();

constexpr std::size_t kLocaleCount = std::size(kLocales);
using RowIndex = std::array<const LocaleData*, kLocaleCount>;

// The rows in the order of their ids, for FindLocale.
constexpr RowIndex SortedByIdentifier() {
    RowIndex rows{};
    for (std::size_t i = 0; i < kLocaleCount; ++i) rows[i] = &kLocales[i];
    std::sort(rows.begin(), rows.end(), [](const LocaleData* a, const LocaleData* b) { return a->id < b->id; });
    return rows;
}
constexpr RowIndex kByIdentifier = SortedByIdentifier();

// Each numeric id has one row; only kCustomDefault has several.
static_assert(std::adjacent_find(kByIdentifier.begin(), kByIdentifier.end(), [](const LocaleData* a, const LocaleData* b) {
                  return a->id == b->id && a->id != kCustomDefault;
              }) == kByIdentifier.end());

const LocaleData* FindIdentifier(LCID id) {
    const auto at = std::lower_bound(kByIdentifier.begin(), kByIdentifier.end(), id,
                                     [](const LocaleData* row, LCID wanted) { return row->id < wanted; });
    return at == kByIdentifier.end() || (*at)->id != id ? nullptr : *at;
}

const LocaleData& DefaultLocale() {
    static const LocaleData& row = *FindIdentifier(kDefaultLocale);
    return row;
}

// Every lead byte is above ASCII, which IsDBCSLeadByteEx relies on.
static_assert(std::all_of(std::begin(kCodePages), std::end(kCodePages), [](const CodePageRow& row) {
    return std::all_of(std::begin(row.leadBytes), std::end(row.leadBytes), [](BYTE b) { return b == 0 || b >= 0x80; });
}));

const CodePageRow* FindCodePage(UINT codePage) {
    for (const CodePageRow& row : kCodePages) {
        if (row.codePage == codePage) return &row;
    }
    return nullptr;
}

// The script that a modifier such as "@latin" puts after the language.
struct ScriptRow {
    std::string_view modifier;
    std::string_view script;
};

constexpr ScriptRow kScripts[] = {
    {"arabic", "Arab"},     {"chakma", "Cakm"}, {"cherokee", "Cher"},  {"cyrillic", "Cyrl"}, {"devanagari", "Deva"},
    {"latin", "Latn"},      {"mongolian", "Mong"}, {"tifinagh", "Tfng"}, {"vai", "Vaii"},
};

// The one variant a modifier adds at the end of the name.
constexpr std::string_view kValencia = "valencia";

// The variables that choose the locale, read in one pass over the
// environment; each is its first definition, as getenv gives it.
struct LocaleVariables {
    const char* all = nullptr;
    const char* messages = nullptr;
    const char* ctype = nullptr;
    const char* lang = nullptr;
};

// Whether the entry `text` defines the variable `name` (given with its "=");
// gives its value.
const char* ValueOf(const char* text, std::string_view name) {
    for (char c : name) {
        if (*text++ != c) return nullptr;
    }
    return text;
}

LocaleVariables ReadVariables() {
    LocaleVariables found;
    const auto take = [](const char*& value, const char* text, std::string_view name) {
        if (value == nullptr) value = ValueOf(text, name);
    };
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        const char* text = *entry;
        if (text[0] != 'L') continue;
        if (text[1] == 'A') {
            take(found.lang, text, "LANG=");
        } else if (text[1] == 'C' && text[2] == '_') {
            take(found.all, text, "LC_ALL=");
            take(found.messages, text, "LC_MESSAGES=");
            take(found.ctype, text, "LC_CTYPE=");
        }
    }
    return found;
}

// The locale named by the first of the variables that is set and not
// empty; the last name looked up is remembered.
const LocaleData& LocaleOfVariables(const char* first, const char* second, const char* lang) {
    static const char* lastName = nullptr;
    static const LocaleData* lastLocale = nullptr;
    for (const char* value : {first, second, lang}) {
        if (value == nullptr || *value == 0) continue;
        if (value != lastName) {
            lastLocale = &tikvan::posix::LocaleOfName(value);
            lastName = value;
        }
        return *lastLocale;
    }
    return DefaultLocale();
}

const LocaleVariables& Variables() {
    static const LocaleVariables variables = ReadVariables();
    return variables;
}

}  // namespace

namespace tikvan::posix {

// The name Wine makes of the POSIX name, looked up among the names it
// takes: the part before "." or "@", with the script of a modifier after its
// language ("sr_RS@latin" is "sr-Latn-RS") or "-valencia" at its end; any
// other modifier is dropped. A name that is not in the table gives English
// (United States), whatever part of it would be known.
const LocaleData& LocaleOfName(std::string_view posixName) {
    const std::size_t at = posixName.find('@');
    const std::string_view modifier = at == std::string_view::npos ? std::string_view() : posixName.substr(at + 1);
    const std::string_view name = posixName.substr(0, std::min(at, posixName.find('.')));
    const std::size_t languageEnd = std::min(name.size(), name.find_first_of("_-"));
    std::string_view script;
    std::string_view variant;
    for (const ScriptRow& row : kScripts) {
        if (row.modifier == modifier) script = row.script;
    }
    if (modifier == kValencia) variant = kValencia;
    const std::size_t size =
        name.size() + (script.empty() ? 0 : script.size() + 1) + (variant.empty() ? 0 : variant.size() + 1);
    if (size < kShortestName || size > kLongestName) return DefaultLocale();
    std::array<char, kLongestName> key{};
    std::size_t length = 0;
    const auto append = [&](std::string_view part) {
        for (char c : part) key[length++] = c;
    };
    append(name.substr(0, languageEnd));
    if (!script.empty()) {
        append("-");
        append(script);
    }
    append(name.substr(languageEnd));
    if (!variant.empty()) {
        append("-");
        append(variant);
    }
    const std::string_view wanted(key.data(), length);
    const NameRow* row = std::lower_bound(std::begin(kNames), std::end(kNames), wanted,
                                          [](const NameRow& r, std::string_view n) { return FoldedLess(r.name, n); });
    if (row == std::end(kNames) || FoldedLess(wanted, row->name)) return DefaultLocale();
    return kLocales[row->row];
}

UINT AnsiCodePage(const LocaleData& locale) {
    if (locale.id == kCustomDefault) return kDefaultCodePage;
    return locale.codePage == 0 ? kUtf8 : locale.codePage;
}

UINT OemCodePage(const LocaleData& locale) {
    if (locale.id == kCustomDefault) return kDefaultOemCodePage;
    return locale.oemCodePage <= 1 ? kUtf8 : locale.oemCodePage;
}

}  // namespace tikvan::posix

namespace {

const LocaleData& UserLocale() { return LocaleOfVariables(Variables().all, Variables().messages, Variables().lang); }
const LocaleData& CodePageLocale() { return LocaleOfVariables(Variables().all, Variables().ctype, Variables().lang); }

// A locale id's row; kCustomDefault stands for the user's locale.
const LocaleData* FindLocale(LCID id) {
    static const LocaleData* last = nullptr;
    if (last != nullptr && last->id == id) return last;
    const LocaleData* row = id == kCustomDefault ? &UserLocale() : FindIdentifier(id);
    if (row != nullptr) last = row;
    return row;
}

// The decimal digits of a number, in `digits`.
std::string_view Decimal(UINT number, char (&digits)[8]) {
    std::size_t at = sizeof digits;
    do {
        digits[--at] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number != 0 && at > 0);
    return {digits + at, sizeof digits - at};
}

LCID threadLocale = 0;

}  // namespace

LCID GetThreadLocale() {
    if (threadLocale == 0) threadLocale = UserLocale().id;
    return threadLocale;
}

// The item's text and its terminating zero. A buffer that cannot hold them
// fails the query.
int GetLocaleInfoA(LCID locale, LCTYPE item, LPSTR buffer, int size) {
    const LocaleData* row = FindLocale(locale);
    if (row == nullptr) return 0;
    std::string_view text;
    char digits[8];
    switch (item) {
        case LOCALE_SDATE: text = row->dateSeparator; break;
        case LOCALE_STIME: text = row->timeSeparator; break;
        case LOCALE_IDEFAULTANSICODEPAGE: text = Decimal(row->codePage, digits); break;
        default: return 0;
    }
    const int needed = static_cast<int>(text.size()) + 1;
    if (size < needed) return 0;
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = 0;
    return needed;
}

UINT GetACP() {
    static const UINT codePage = tikvan::posix::AnsiCodePage(CodePageLocale());
    return codePage;
}

UINT GetOEMCP() {
    static const UINT codePage = tikvan::posix::OemCodePage(CodePageLocale());
    return codePage;
}

BOOL GetCPInfo(UINT codePage, LPCPINFO info) {
    const CodePageRow* row = FindCodePage(codePage == CP_ACP ? GetACP() : codePage);
    if (row == nullptr) return FALSE;
    std::memcpy(info->LeadByte, row->leadBytes, sizeof info->LeadByte);
    return TRUE;
}

// The POSIX build stands for a system of the NT family.
BOOL GetVersionExA(LPOSVERSIONINFOA info) {
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    return TRUE;
}

// Only systems outside the NT family ask; none of their metrics apply.
int GetSystemMetrics(int /*index*/) { return 0; }

// A lead byte of the process's ANSI code page, the one code page the
// program asks about; an ASCII byte never is one.
BOOL IsDBCSLeadByteEx(UINT /*codePage*/, BYTE byte) {
    if (byte < 0x80) return FALSE;
    static const CodePageRow* const row = FindCodePage(GetACP());
    if (row == nullptr) return FALSE;
    bool lead = false;
    tikvan::ForEachLeadByteRange(row->leadBytes, [&](BYTE low, BYTE high) { lead = lead || (byte >= low && byte <= high); });
    return lead ? TRUE : FALSE;
}
