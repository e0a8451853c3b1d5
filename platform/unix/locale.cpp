// Locale queries answered as Wine answers them, from the table in
// locale_table.inc, which regenerate.sh writes from Wine's own answers.
// No file is read at run time.
//
// The locale in force is the one Wine picks from the environment: LC_ALL,
// else LC_MESSAGES, else LANG gives the thread locale; LC_ALL, else LC_CTYPE,
// else LANG gives the ANSI code page, through that locale's default ANSI
// code page. A name such as ja_JP.UTF-8, de_DE@euro, ja or zh_TW is matched
// with the table's names; C, POSIX, no name and an unknown name give
// English (United States) and code page 1252.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/unix/code_page.h"
#include "platform/win32.h"

namespace {

struct LocaleRow {
    LCID id;
    std::string_view name;
    std::string_view dateSeparator;
    std::string_view timeSeparator;
    std::string_view codePage;
};

struct CodePageRow {
    UINT codePage;
    BYTE leadBytes[MAX_LEADBYTES];
};

constexpr LocaleRow kLocales[] = {
#define TIKVAN_LOCALE(id, name, date, time, codePage) {id, name, date, time, codePage},
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

const LocaleRow* FindLocale(LCID id) {
    for (const LocaleRow& row : kLocales) {
        if (row.id == id) return &row;
    }
    return nullptr;
}

const CodePageRow* FindCodePage(UINT codePage) {
    for (const CodePageRow& row : kCodePages) {
        if (row.codePage == codePage) return &row;
    }
    return nullptr;
}

bool SameLetters(std::string_view left, std::string_view right) {
    if (left.size() != right.size()) return false;
    for (std::size_t i = 0; i < left.size(); ++i) {
        const auto a = static_cast<unsigned char>(left[i]);
        const auto b = static_cast<unsigned char>(right[i]);
        if ((a | 0x20) != (b | 0x20)) return false;
    }
    return true;
}

// The locale of a POSIX locale name: language_REGION, without its encoding
// and modifier, against the table's language-REGION names and then the
// names without a script that Wine accepts; a name without a region takes
// the first locale of its language.
LCID LocaleOfName(const char* posixName) {
    std::string name(posixName);
    name.resize(std::min(name.size(), name.find_first_of(".@")));
    for (char& c : name) {
        if (c == '_') c = '-';
    }
    if (name.empty()) return kDefaultLocale;
    for (const LocaleRow& row : kLocales) {
        if (SameLetters(row.name, name)) return row.id;
    }
    for (const AliasRow& row : kAliases) {
        if (SameLetters(row.name, name)) return row.id;
    }
    for (const LocaleRow& row : kLocales) {
        if (row.name.size() > name.size() && row.name[name.size()] == '-' &&
            SameLetters(row.name.substr(0, name.size()), name)) {
            return row.id;
        }
    }
    return kDefaultLocale;
}

LCID LocaleOfEnvironment(const char* first, const char* second) {
    for (const char* variable : {first, second, "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != 0) return LocaleOfName(value);
    }
    return kDefaultLocale;
}

UINT CodePageOfLocale(LCID id) {
    const LocaleRow* row = FindLocale(id);
    const UINT codePage = row == nullptr ? 0 : static_cast<UINT>(std::strtoul(std::string(row->codePage).c_str(), nullptr, 10));
    return codePage == 0 ? kDefaultCodePage : codePage;
}

LCID threadLocale = 0;

}  // namespace

LCID GetThreadLocale() {
    if (threadLocale == 0) threadLocale = LocaleOfEnvironment("LC_ALL", "LC_MESSAGES");
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
    static const UINT codePage = CodePageOfLocale(LocaleOfEnvironment("LC_ALL", "LC_CTYPE"));
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
    static const CodePageRow* const row = FindCodePage(GetACP());
    if (row == nullptr) return false;
    for (int i = 0; i + 1 < MAX_LEADBYTES && (row->leadBytes[i] != 0 || row->leadBytes[i + 1] != 0); i += 2) {
        if (byte >= row->leadBytes[i] && byte <= row->leadBytes[i + 1]) return true;
    }
    return false;
}

}  // namespace tikvan::posix
