// Locale queries answered as Wine answers them, from the table in
// locale_table.inc, which regenerate.sh writes from Wine's own answers.
// No file is read at run time but the C library's own locale data.
//
// The locales in force are the ones Wine takes at the start of a process:
// it has the C library set its locale from the environment, its character
// type first and then every category, and reads the names the C library
// then reports. The character-type name gives the system locale, whose
// code pages the process runs in; the message name gives the user locale,
// which is the thread locale. A category the C library reports as C (its
// locale is not installed, or none is named) is read from LC_ALL instead.
// A name is made into the locale name Wine makes of it (see LocaleOfName)
// and looked up among every name Wine takes. No name gives English (United
// States); a name Wine does not know gives English (United States) as the
// system locale and the system locale as the user locale. A locale without
// a numeric id runs in the code pages of English (United States) and, as
// the user locale, is reported as LOCALE_CUSTOM_DEFAULT.
#include <iconv.h>
#include <langinfo.h>
#include <sys/mman.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>

#include "platform/ascii.h"
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

// Names are compared with the letters a to z as A to Z and with "_" as "-";
// no other byte stands for another.
constexpr char Fold(char c) { return c == '_' ? '-' : tikvan::UpperAscii(c); }

constexpr bool FoldedLess(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(Fold(x)) < static_cast<unsigned char>(Fold(y));
    });
}

static_assert(std::is_sorted(std::begin(kNames), std::end(kNames),
                             [](const NameRow& a, const NameRow& b) { return FoldedLess(a.name, b.name); }));
static_assert(std::all_of(std::begin(kNames), std::end(kNames),
                          [](const NameRow& row) { return row.row < std::size(kLocales); }));

// The longest table name, which bounds the names looked up.
constexpr std::size_t kLongestName =
    std::ranges::max(kNames, {}, [](const NameRow& row) { return row.name.size(); }).name.size();

// The locale of a name as Wine writes it, such as "ja-JP"; null for none.
constexpr const LocaleData* FindName(std::string_view name) {
    const NameRow* row = std::lower_bound(std::begin(kNames), std::end(kNames), name,
                                          [](const NameRow& r, std::string_view n) { return FoldedLess(r.name, n); });
    if (row == std::end(kNames) || FoldedLess(name, row->name)) return nullptr;
    return &kLocales[row->row];
}

// English (United States), the locale of C, POSIX and names of no row.
constexpr std::string_view kDefaultName = "en-US";
static_assert(FindName(kDefaultName) != nullptr);
const LocaleData& DefaultLocale() { return *FindName(kDefaultName); }

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

// What a modifier such as "@latin" makes of the name: a script after the
// language ("sr_RS@latin" is "sr-Latn-RS"), another language, or a variant
// at the end. Wine ignores any other modifier.
struct ModifierRow {
    std::string_view modifier;
    enum { Script, Language, Variant } kind;
    std::string_view text;
};

constexpr ModifierRow kModifiers[] = {
    {"arabic", ModifierRow::Script, "Arab"},     {"chakma", ModifierRow::Script, "Cakm"},
    {"cherokee", ModifierRow::Script, "Cher"},   {"cyrillic", ModifierRow::Script, "Cyrl"},
    {"devanagari", ModifierRow::Script, "Deva"}, {"gurmukhi", ModifierRow::Script, "Guru"},
    {"javanese", ModifierRow::Script, "Java"},   {"latin", ModifierRow::Script, "Latn"},
    {"mongolian", ModifierRow::Script, "Mong"},  {"syriac", ModifierRow::Script, "Syrc"},
    {"tifinagh", ModifierRow::Script, "Tfng"},   {"tibetan", ModifierRow::Script, "Tibt"},
    {"vai", ModifierRow::Script, "Vaii"},        {"yi", ModifierRow::Script, "Yiii"},
    {"saaho", ModifierRow::Language, "ssy"},     {"valencia", ModifierRow::Variant, "valencia"},
};

// Wine reads no name of this many bytes or more.
constexpr std::size_t kRefusedNameLength = 85;

// The name Wine reads for a category: the one the C library reports, or
// LC_ALL's where it reports none or C; null when there is none or Wine
// refuses it.
const char* NameRead(const char* reported, const char* all) {
    const char* name = reported;
    if (name == nullptr || std::strcmp(name, "C") == 0) name = all;
    if (name == nullptr || *name == 0 || std::strlen(name) >= kRefusedNameLength) return nullptr;
    return name;
}

// The variable the C library takes a category's locale from: LC_ALL, the
// category's own, LANG, the first that is set and not empty; null for none.
const char* VariableOf(const char* category) {
    for (const char* name : {"LC_ALL", category, "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != 0) return value;
    }
    return nullptr;
}

// Room that loading a locale or a conversion takes at most, with a wide
// margin: the largest locale's files come to a few megabytes.
constexpr std::size_t kLoadingRoom = std::size_t{16} << 20;

// Whether memory is short. The C library reports a locale or a conversion
// that it could not load for lack of memory as one it does not have, so a
// failed load counts as a missing one only while kLoadingRoom more bytes
// could still be mapped.
bool MemoryShort() {
    void* room = mmap(nullptr, kLoadingRoom, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (room == MAP_FAILED) return true;
    munmap(room, kLoadingRoom);
    return false;
}

// Exhausted memory, raised as operator new raises it.
[[noreturn]] void MemoryExhausted() {
    if (const std::new_handler handler = std::get_new_handler(); handler != nullptr) handler();
    throw std::bad_alloc();
}

// Has the C library take its locale from the environment, as Wine has it
// do: the character type first, then every category. Memory that runs out
// meanwhile is raised, once; afterwards the locale counts as not loaded.
bool LibraryLocaleLoaded() {
    static bool asked = false;
    static bool loaded = false;
    if (!asked) {
        asked = true;
        loaded = (std::setlocale(LC_CTYPE, "") != nullptr || !MemoryShort()) &&
                 (std::setlocale(LC_ALL, "") != nullptr || !MemoryShort());
        if (!loaded) MemoryExhausted();
    }
    return loaded;
}

// The locales Wine starts the process in. They depend on which locales the
// C library has installed only where a variable names a locale other than
// English (United States); only then is the C library asked, which costs
// the process more than the rest of its work. Until it has answered, the
// locales are those the variables name: a report of memory running out
// while it loads them, or of a fault inside it, is given in those.
const tikvan::posix::ProcessLocales& Locales() {
    static tikvan::posix::ProcessLocales locales{};
    if (locales.system != nullptr) return locales;
    locales = tikvan::posix::NamedLocales();
    if ((locales.system != &DefaultLocale() || locales.user != &DefaultLocale()) && LibraryLocaleLoaded()) {
        locales = tikvan::posix::LocalesOfNames(std::setlocale(LC_CTYPE, nullptr), std::setlocale(LC_MESSAGES, nullptr),
                                                std::getenv("LC_ALL"));
    }
    return locales;
}

// Text of `codeset` in the ANSI code page, read by the C library's
// conversion, into `out` of `capacity` bytes. A byte that begins no
// character of the codeset is, as Wine reads most such bytes, the byte
// itself where that is a character of the code page, and otherwise the
// Latin-1 character of its value.
std::size_t CodesetToAnsi(std::string_view text, const char* codeset, char* out, std::size_t capacity) {
    iconv_t conversion = iconv_open("UTF-8", codeset);
    if (conversion == reinterpret_cast<iconv_t>(-1)) {
        if (MemoryShort()) MemoryExhausted();
        std::memcpy(out, text.data(), text.size());
        return text.size();
    }
    // A character of any codeset of a locale takes no more bytes in UTF-8
    // than three for each of its own.
    const std::size_t room = 3 * text.size();
    const std::unique_ptr<char[]> utf8(new char[room]);
    char* in = const_cast<char*>(text.data());
    std::size_t left = text.size();
    std::size_t written = 0;
    while (left > 0) {
        char* at = utf8.get();
        std::size_t space = room;
        const bool stopped = iconv(conversion, &in, &left, &at, &space) == static_cast<std::size_t>(-1) && errno != E2BIG;
        written += tikvan::posix::Utf8ToCodePage({utf8.get(), static_cast<std::size_t>(at - utf8.get())}, GetACP(),
                                                 out + written, capacity - written);
        if (!stopped || written == capacity) break;
        const auto byte = static_cast<unsigned char>(*in++);
        --left;
        if (!IsDBCSLeadByteEx(CP_ACP, byte)) {
            out[written++] = static_cast<char>(byte);
            continue;
        }
        const char latin1[] = {static_cast<char>(0xC0 | byte >> 6), static_cast<char>(0x80 | (byte & 0x3F))};
        written += tikvan::posix::Utf8ToCodePage({latin1, 2}, GetACP(), out + written, capacity - written);
    }
    iconv_close(conversion);
    return written;
}

}  // namespace

namespace tikvan::posix {

// Wine's name for a POSIX name "language_country.codeset@modifier": the
// language, the script of the modifier, "-" and the country, and the
// modifier's variant; the codeset is dropped. A name without "_", "." and
// "@" is taken as it is, but C and POSIX are "en-US".
const LocaleData* LocaleOfName(std::string_view posixName) {
    std::size_t at = posixName.find_first_of("_.@");
    if (at == std::string_view::npos && (posixName == "C" || posixName == "POSIX")) return &DefaultLocale();
    std::string_view language = posixName.substr(0, at);
    std::string_view country;
    bool hasCountry = false;
    if (at != std::string_view::npos && posixName[at] == '_') {
        hasCountry = true;
        const std::size_t end = posixName.find_first_of(".@", at + 1);
        country = posixName.substr(at + 1, end == std::string_view::npos ? std::string_view::npos : end - at - 1);
        at = end;
    }
    if (at != std::string_view::npos && posixName[at] == '.') at = posixName.find('@', at + 1);
    std::string_view modifier;
    if (at != std::string_view::npos) modifier = posixName.substr(at + 1);
    std::string_view script;
    std::string_view variant;
    for (const ModifierRow& row : kModifiers) {
        if (row.modifier != modifier) continue;
        if (row.kind == ModifierRow::Script) script = row.text;
        if (row.kind == ModifierRow::Language) language = row.text;
        if (row.kind == ModifierRow::Variant) variant = row.text;
    }
    std::array<char, kLongestName> key{};
    std::size_t length = 0;
    const auto append = [&](std::string_view part) {
        if (length + part.size() > key.size()) return false;
        std::memcpy(key.data() + length, part.data(), part.size());
        length += part.size();
        return true;
    };
    const bool fits = append(language) && (script.empty() || (append("-") && append(script))) &&
                      (!hasCountry || (append("-") && append(country))) &&
                      (variant.empty() || (append("-") && append(variant)));
    if (!fits) return nullptr;
    return FindName({key.data(), length});
}

ProcessLocales LocalesOfNames(const char* ctype, const char* messages, const char* all) {
    ProcessLocales locales{&DefaultLocale(), &DefaultLocale()};
    if (const char* name = NameRead(ctype, all); name != nullptr) {
        const LocaleData* row = LocaleOfName(name);
        if (row != nullptr && row->id != LOCALE_CUSTOM_DEFAULT) locales.system = row;
    }
    if (const char* name = NameRead(messages, all); name != nullptr) {
        const LocaleData* row = LocaleOfName(name);
        locales.user = row != nullptr ? row : locales.system;
    }
    return locales;
}

ProcessLocales NamedLocales() { return LocalesOfNames(VariableOf("LC_CTYPE"), VariableOf("LC_MESSAGES"), std::getenv("LC_ALL")); }

UINT AnsiCodePage(const LocaleData& locale) { return locale.codePage == 0 ? CP_UTF8 : locale.codePage; }

UINT OemCodePage(const LocaleData& locale) { return locale.oemCodePage <= 1 ? CP_UTF8 : locale.oemCodePage; }

std::string_view SystemTextInAnsi(std::string_view text, std::unique_ptr<char[]>& converted) {
    if (IsAscii(text)) return text;
    LibraryLocaleLoaded();
    const char* codeset = nl_langinfo(CODESET);
    if (std::strcmp(codeset, "ANSI_X3.4-1968") == 0) return text;
    // UTF-8 gives a malformed byte three bytes, as U+FFFD; no other codeset
    // gives a byte more.
    const std::size_t room = 3 * text.size();
    converted.reset(new char[room]);
    const std::size_t length = std::strcmp(codeset, "UTF-8") == 0 ? Utf8ToCodePage(text, GetACP(), converted.get(), room)
                                                                   : CodesetToAnsi(text, codeset, converted.get(), room);
    return {converted.get(), length};
}

}  // namespace tikvan::posix

namespace {

const LocaleData& UserLocale() { return *Locales().user; }
const LocaleData& CodePageLocale() { return *Locales().system; }

// The decimal digits of a number, in `digits`, which hold any UINT.
std::string_view Decimal(UINT number, char (&digits)[10]) {
    return {digits, static_cast<std::size_t>(std::to_chars(std::begin(digits), std::end(digits), number).ptr - digits)};
}

}  // namespace

LCID GetThreadLocale() { return UserLocale().id; }

// The item's text and its terminating zero, for the three items the program
// asks (LOCALE_SDATE, LOCALE_STIME and LOCALE_IDEFAULTANSICODEPAGE) of the
// one locale it asks about, the thread's. A buffer that cannot hold them
// fails the query.
int GetLocaleInfoA(LCID /*locale*/, LCTYPE item, LPSTR buffer, int size) {
    const LocaleData& row = UserLocale();
    char digits[10]{};
    const std::string_view text = item == LOCALE_SDATE   ? row.dateSeparator
                                  : item == LOCALE_STIME ? row.timeSeparator
                                                         : Decimal(row.codePage, digits);
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
