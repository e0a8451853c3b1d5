// Locale queries answered as Wine answers them, from the table in
// locale_table.inc, which regenerate.sh writes from Wine's own answers.
// No file is read at run time.
//
// The locale in force is the one Wine picks from the environment: LC_ALL,
// else LC_MESSAGES, else LANG gives the thread locale; LC_ALL, else LC_CTYPE,
// else LANG gives the ANSI and OEM code pages, through that locale's
// defaults. A name such as ja_JP.UTF-8, de_DE@euro, ja or zh_TW is matched
// with the table's names; C, POSIX, no name and an unknown name give
// English (United States) and code page 1252.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "platform/unix/code_page.h"
#include "platform/unix/locale.h"
#include "platform/win32.h"

namespace {

struct LocaleRow {
    LCID id;
    std::string_view name;
    std::string_view dateSeparator;
    std::string_view timeSeparator;
    std::string_view codePage;
    std::string_view oemCodePage;
};

struct CodePageRow {
    UINT codePage;
    BYTE leadBytes[MAX_LEADBYTES];
};

constexpr LocaleRow kLocales[] = {
#define TIKVAN_LOCALE(id, name, date, time, codePage, oemCodePage) {id, name, date, time, codePage, oemCodePage},
#define TIKVAN_LOCALE_ALIAS(...)
#define TIKVAN_CODE_PAGE(...)
#include "platform/unix/locale_table.inc"
#undef TIKVAN_LOCALE
#undef TIKVAN_LOCALE_ALIAS
#undef TIKVAN_CODE_PAGE
};

// Names without a script that Wine takes for a locale whose name has one.
struct AliasRow {
    std::string_view name;
    LCID id;
};

constexpr AliasRow kAliases[] = {
#define TIKVAN_LOCALE(...)
#define TIKVAN_LOCALE_ALIAS(name, id) {name, id},
#define TIKVAN_CODE_PAGE(...)
#include "platform/unix/locale_table.inc"
#undef TIKVAN_LOCALE
#undef TIKVAN_LOCALE_ALIAS
#undef TIKVAN_CODE_PAGE
};

constexpr CodePageRow kCodePages[] = {
#define TIKVAN_LOCALE(...)
#define TIKVAN_LOCALE_ALIAS(...)
#define TIKVAN_CODE_PAGE(codePage, ...) {codePage, {__VA_ARGS__}},
#include "platform/unix/locale_table.inc"
#undef TIKVAN_LOCALE
#undef TIKVAN_LOCALE_ALIAS
#undef TIKVAN_CODE_PAGE
};

constexpr LCID kDefaultLocale = 0x0409;
constexpr UINT kDefaultCodePage = 1252;
constexpr UINT kDefaultOemCodePage = 437;

// Names are compared without case: a letter of a POSIX name and of a
// table name folds to lower case, and "_" in a POSIX name stands for "-".
constexpr unsigned char FoldTable(char c) { return static_cast<unsigned char>(c | 0x20); }
constexpr unsigned char FoldPosix(char c) { return c == '_' ? '-' : FoldTable(c); }

// No byte of a table name folds below "-", and the table is in the order of
// its folded names, which the search below relies on.
static_assert(std::all_of(std::begin(kLocales), std::end(kLocales), [](const LocaleRow& row) {
    return std::all_of(row.name.begin(), row.name.end(), [](char c) { return FoldTable(c) >= '-'; });
}));
static_assert(std::is_sorted(std::begin(kLocales), std::end(kLocales), [](const LocaleRow& a, const LocaleRow& b) {
    return std::lexicographical_compare(a.name.begin(), a.name.end(), b.name.begin(), b.name.end(),
                                        [](char x, char y) { return FoldTable(x) < FoldTable(y); });
}));

// The first row whose folded name is not less than the folded POSIX name.
const LocaleRow* LowerBound(std::string_view name) {
    const auto before = [&](const LocaleRow& row) {
        for (std::size_t i = 0; i < row.name.size() && i < name.size(); ++i) {
            const unsigned char key = FoldPosix(name[i]);
            const unsigned char own = FoldTable(row.name[i]);
            if (own != key) return own < key;
        }
        return row.name.size() < name.size();
    };
    return std::partition_point(std::begin(kLocales), std::end(kLocales), before);
}

// Whether a table name is the POSIX name, letter for letter.
bool IsName(std::string_view tableName, std::string_view name) {
    if (tableName.size() != name.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (FoldTable(tableName[i]) != FoldPosix(name[i])) return false;
    }
    return true;
}

// Whether the row's name starts with the POSIX name, letter for letter.
bool StartsWithName(const LocaleRow& row, std::string_view name) {
    if (row.name.size() < name.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (FoldTable(row.name[i]) != FoldPosix(name[i])) return false;
    }
    return true;
}

constexpr std::size_t kLocaleCount = std::size(kLocales);
using RowIndex = std::array<const LocaleRow*, kLocaleCount>;

// The rows in the order of their ids, for FindLocale.
constexpr RowIndex SortedByIdentifier() {
    RowIndex rows{};
    for (std::size_t i = 0; i < kLocaleCount; ++i) rows[i] = &kLocales[i];
    std::sort(rows.begin(), rows.end(), [](const LocaleRow* a, const LocaleRow* b) { return a->id < b->id; });
    return rows;
}
constexpr RowIndex kByIdentifier = SortedByIdentifier();

// The queries of a run mostly ask for one locale: the last row found is
// tried first.
const LocaleRow* FindLocale(LCID id) {
    static const LocaleRow* last = nullptr;
    if (last != nullptr && last->id == id) return last;
    const auto at = std::lower_bound(kByIdentifier.begin(), kByIdentifier.end(), id,
                                     [](const LocaleRow* row, LCID wanted) { return row->id < wanted; });
    if (at == kByIdentifier.end() || (*at)->id != id) return nullptr;
    return last = *at;
}

// Code pages are written in decimal digits.
static_assert(std::all_of(std::begin(kLocales), std::end(kLocales), [](const LocaleRow& row) {
    const auto digits = [](std::string_view text) {
        return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    return digits(row.codePage) && digits(row.oemCodePage);
}));

// Every lead byte is above ASCII, which IsAnsiLeadByte relies on.
static_assert(std::all_of(std::begin(kCodePages), std::end(kCodePages), [](const CodePageRow& row) {
    return std::all_of(std::begin(row.leadBytes), std::end(row.leadBytes), [](BYTE b) { return b == 0 || b >= 0x80; });
}));

const CodePageRow* FindCodePage(UINT codePage) {
    for (const CodePageRow& row : kCodePages) {
        if (row.codePage == codePage) return &row;
    }
    return nullptr;
}

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
LCID LocaleOfVariables(const char* first, const char* second, const char* lang) {
    static const char* lastName = nullptr;
    static LCID lastLocale = 0;
    for (const char* value : {first, second, lang}) {
        if (value == nullptr || *value == 0) continue;
        if (value != lastName) {
            lastLocale = tikvan::posix::LocaleOfName(value);
            lastName = value;
        }
        return lastLocale;
    }
    return kDefaultLocale;
}

const LocaleVariables& Variables() {
    static const LocaleVariables variables = ReadVariables();
    return variables;
}

}  // namespace

namespace tikvan::posix {

// language_REGION, without its encoding and modifier, against the table's
// language-REGION names, then the names without a script that Wine accepts;
// a name without a region takes the first locale of its language.
LCID LocaleOfName(std::string_view posixName) {
    const std::string_view name = posixName.substr(0, posixName.find_first_of(".@"));
    if (name.empty()) return kDefaultLocale;
    // The name itself comes first; next come the names that continue it
    // with "-", as no table name holds a byte that sorts below "-".
    const LocaleRow* row = LowerBound(name);
    const bool continued = row != std::end(kLocales) && StartsWithName(*row, name);
    if (continued && row->name.size() == name.size()) return row->id;
    for (const AliasRow& alias : kAliases) {
        if (IsName(alias.name, name)) return alias.id;
    }
    if (continued && row->name[name.size()] == '-') return row->id;
    return kDefaultLocale;
}

}  // namespace tikvan::posix

namespace {

UINT Number(std::string_view digits) {
    UINT number = 0;
    for (char digit : digits) number = number * 10 + static_cast<UINT>(digit - '0');
    return number;
}

// The locale's default ANSI or OEM code page (`column`), or `fallback` for
// no locale or none of its own (0 for ANSI, 1 for OEM).
UINT CodePageOfLocale(LCID id, std::string_view LocaleRow::*column, UINT fallback) {
    const LocaleRow* row = FindLocale(id);
    const UINT codePage = row != nullptr ? Number(row->*column) : 0;
    return codePage <= 1 ? fallback : codePage;
}

LCID CodePageLocale() { return LocaleOfVariables(Variables().all, Variables().ctype, Variables().lang); }

LCID threadLocale = 0;

}  // namespace

LCID GetThreadLocale() {
    if (threadLocale == 0) threadLocale = LocaleOfVariables(Variables().all, Variables().messages, Variables().lang);
    return threadLocale;
}

BOOL SetThreadLocale(LCID locale) {
    if (FindLocale(locale) == nullptr) return FALSE;
    threadLocale = locale;
    return TRUE;
}

// The item's text and its terminating zero. A buffer that cannot hold them
// fails the query; a size of 0 asks for the size.
int GetLocaleInfoA(LCID locale, LCTYPE item, LPSTR buffer, int size) {
    const LocaleRow* row = FindLocale(locale);
    if (row == nullptr) return 0;
    std::string_view text;
    switch (item) {
        case LOCALE_SDATE: text = row->dateSeparator; break;
        case LOCALE_STIME: text = row->timeSeparator; break;
        case LOCALE_IDEFAULTANSICODEPAGE: text = row->codePage; break;
        default: return 0;
    }
    const int needed = static_cast<int>(text.size()) + 1;
    if (size == 0) return needed;
    if (size < needed) return 0;
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = 0;
    return needed;
}

UINT GetACP() {
    static const UINT codePage = CodePageOfLocale(CodePageLocale(), &LocaleRow::codePage, kDefaultCodePage);
    return codePage;
}

UINT GetOEMCP() {
    static const UINT codePage = CodePageOfLocale(CodePageLocale(), &LocaleRow::oemCodePage, kDefaultOemCodePage);
    return codePage;
}

BOOL GetCPInfo(UINT codePage, LPCPINFO info) {
    const CodePageRow* row = FindCodePage(codePage == CP_ACP ? GetACP() : codePage);
    if (row == nullptr) return FALSE;
    *info = CPINFO{};
    info->MaxCharSize = row->leadBytes[0] != 0 ? 2 : 1;
    info->DefaultChar[0] = '?';
    std::memcpy(info->LeadByte, row->leadBytes, sizeof info->LeadByte);
    return TRUE;
}

// The POSIX build stands for a system of the NT family.
BOOL GetVersionExA(LPOSVERSIONINFOA info) {
    info->dwMajorVersion = 10;
    info->dwMinorVersion = 0;
    info->dwBuildNumber = 0;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    info->szCSDVersion[0] = 0;
    return TRUE;
}

// Only systems outside the NT family ask; none of their metrics apply.
int GetSystemMetrics(int /*index*/) { return 0; }

namespace tikvan::posix {

bool IsAnsiLeadByte(unsigned char byte) {
    if (byte < 0x80) return false;
    static const CodePageRow* const row = FindCodePage(GetACP());
    if (row == nullptr) return false;
    for (int i = 0; i + 1 < MAX_LEADBYTES && (row->leadBytes[i] != 0 || row->leadBytes[i + 1] != 0); i += 2) {
        if (byte >= row->leadBytes[i] && byte <= row->leadBytes[i + 1]) return true;
    }
    return false;
}

}  // namespace tikvan::posix
