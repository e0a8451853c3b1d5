// Writes the locale data that the POSIX build answers locale queries from,
// as Wine reports it. Run under Wine by regenerate.sh.
//
// - Data rows: the thread locale that a locale name gives, its date and time
//   separators and its default ANSI and OEM code pages. A name with a
//   numeric id gives that id (without its sort bits), and its data is what
//   GetLocaleInfoA answers for the id; a name without one gives
//   LOCALE_CUSTOM_DEFAULT, and its data is the name's own.
// - Names: every locale name that Wine takes: the names it enumerates and
//   the other spellings it accepts for them (a name without its script such
//   as "ff-NG", or with a script it leaves out such as "pa-Guru-IN"), each
//   with its data row, in the order of their folded names (letters in lower
//   case, "_" as "-").
// - Code pages: the lead-byte ranges of every code page that a row names.
//
// Separators are written as the raw bytes GetLocaleInfoA gives, in C escapes.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr LCID kCustomDefault = 0x0C00;     // LOCALE_CUSTOM_DEFAULT
constexpr LCID kCustomUnspecified = 0x1000;  // LOCALE_CUSTOM_UNSPECIFIED

std::vector<std::wstring> enumerated;

BOOL CALLBACK AddName(LPWSTR name, DWORD /*flags*/, LPARAM /*unused*/) {
    if (*name != 0) enumerated.emplace_back(name);
    return TRUE;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The item's bytes without the terminating zero; the empty text when the
// query fails.
std::string Item(LCID locale, LCTYPE item) {
    char buffer[256];
    const int length = GetLocaleInfoA(locale, item, buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, static_cast<std::size_t>(length - 1)) : std::string();
}

// A name's own item, in the ANSI code page of the locale data (the process's
// when the locale has none), as GetLocaleInfoA gives it for
// LOCALE_CUSTOM_DEFAULT when that name is the user's locale.
std::string NameItem(const std::wstring& name, LCTYPE item) {
    wchar_t wide[256];
    const int length = GetLocaleInfoEx(name.c_str(), item, wide, 256);
    if (length <= 0) return std::string();
    wchar_t digits[8];
    UINT codePage = CP_ACP;
    if (GetLocaleInfoEx(name.c_str(), LOCALE_IDEFAULTANSICODEPAGE, digits, 8) > 0) {
        codePage = static_cast<UINT>(std::wcstoul(digits, nullptr, 10));
    }
    char bytes[512];
    const int size = WideCharToMultiByte(codePage, 0, wide, length - 1, bytes, sizeof bytes, nullptr, nullptr);
    return std::string(bytes, static_cast<std::size_t>(size > 0 ? size : 0));
}

UINT NameNumber(const std::wstring& name, LCTYPE item) {
    wchar_t digits[8];
    if (GetLocaleInfoEx(name.c_str(), item, digits, 8) <= 0) return 0;
    return static_cast<UINT>(std::wcstoul(digits, nullptr, 10));
}

std::string Quoted(const std::string& bytes) {
    std::string text = "\"";
    for (unsigned char byte : bytes) {
        char escape[8];
        if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\') {
            text += static_cast<char>(byte);
        } else {
            std::snprintf(escape, sizeof escape, "\\x%02X\"\"", byte);
            text += escape;
        }
    }
    return text + "\"";
}

std::string Folded(const std::string& name) {
    std::string folded = name;
    for (char& c : folded) c = c == '_' ? '-' : static_cast<char>(c | 0x20);
    return folded;
}

// The subtags of a name, split at "-".
std::vector<std::wstring> Subtags(const std::wstring& name) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    for (std::size_t at = name.find(L'-'); at != std::wstring::npos; at = name.find(L'-', start)) {
        parts.push_back(name.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(name.substr(start));
    return parts;
}

using Data = std::tuple<LCID, std::string, std::string, UINT, UINT>;

}  // namespace

int main() {
    EnumSystemLocalesEx(AddName, LOCALE_ALL, 0, nullptr);
    EnumSystemLocalesEx(AddName, LOCALE_ALTERNATE_SORTS, 0, nullptr);

    // The spellings Wine may take besides the enumerated names: a language
    // with a region, with or without a script, and a language with a script.
    std::set<std::wstring> languages, scripts, regions;
    for (const std::wstring& name : enumerated) {
        const std::vector<std::wstring> parts = Subtags(name);
        languages.insert(parts[0]);
        for (std::size_t i = 1; i < parts.size(); ++i) {
            if (parts[i].size() == 4) scripts.insert(parts[i]);
            if (parts[i].size() == 2 || (parts[i].size() == 3 && iswdigit(parts[i][0]))) regions.insert(parts[i]);
        }
    }
    std::set<std::wstring> candidates(enumerated.begin(), enumerated.end());
    for (const std::wstring& language : languages) {
        for (const std::wstring& script : scripts) candidates.insert(language + L"-" + script);
        for (const std::wstring& region : regions) {
            candidates.insert(language + L"-" + region);
            for (const std::wstring& script : scripts) candidates.insert(language + L"-" + script + L"-" + region);
        }
    }

    std::map<Data, std::size_t> rows;
    std::vector<const Data*> rowOrder;
    std::map<std::string, std::size_t> names;  // by folded name
    std::map<std::string, std::string> spelled;
    for (const std::wstring& candidate : candidates) {
        const LCID found = LocaleNameToLCID(candidate.c_str(), 0);
        if (found == 0) continue;
        Data data;
        if ((found & 0xFFFF) == kCustomUnspecified) {
            data = Data{kCustomDefault, NameItem(candidate, LOCALE_SDATE), NameItem(candidate, LOCALE_STIME),
                        NameNumber(candidate, LOCALE_IDEFAULTANSICODEPAGE),
                        NameNumber(candidate, LOCALE_IDEFAULTCODEPAGE)};
        } else {
            const LCID id = found & 0xFFFF;
            data = Data{id, Item(id, LOCALE_SDATE), Item(id, LOCALE_STIME),
                        static_cast<UINT>(std::strtoul(Item(id, LOCALE_IDEFAULTANSICODEPAGE).c_str(), nullptr, 10)),
                        static_cast<UINT>(std::strtoul(Item(id, LOCALE_IDEFAULTCODEPAGE).c_str(), nullptr, 10))};
        }
        const auto row = rows.emplace(data, rows.size()).first;
        if (row->second == rowOrder.size()) rowOrder.push_back(&row->first);
        const std::string name = Narrow(candidate);
        names.emplace(Folded(name), row->second);
        spelled.emplace(Folded(name), name);
    }

    std::printf("// Thread locale, LOCALE_SDATE, LOCALE_STIME, LOCALE_IDEFAULTANSICODEPAGE, LOCALE_IDEFAULTCODEPAGE.\n"
                "// An includer defines the macros it uses; the others expand to nothing.\n"
                "#ifndef TIKVAN_LOCALE\n"
                "#define TIKVAN_LOCALE(id, date, time, codePage, oemCodePage)\n"
                "#endif\n"
                "#ifndef TIKVAN_LOCALE_NAME\n"
                "#define TIKVAN_LOCALE_NAME(name, row)\n"
                "#endif\n"
                "#ifndef TIKVAN_CODE_PAGE\n"
                "#define TIKVAN_CODE_PAGE(codePage, ...)\n"
                "#endif\n");
    std::set<UINT> codePages;
    for (const Data* data : rowOrder) {
        const auto& [id, date, time, ansi, oem] = *data;
        codePages.insert(ansi);
        codePages.insert(oem);
        std::printf("TIKVAN_LOCALE(0x%04lX, %s, %s, %u, %u)\n", static_cast<unsigned long>(id), Quoted(date).c_str(),
                    Quoted(time).c_str(), ansi, oem);
    }
    std::printf("// Locale name and its row above.\n");
    for (const auto& [folded, row] : names) {
        std::printf("TIKVAN_LOCALE_NAME(\"%s\", %zu)\n", spelled[folded].c_str(), row);
    }
    std::printf("// Code page and its lead-byte ranges, low and high, up to six pairs.\n");
    codePages.insert(CP_UTF8);
    for (UINT codePage : codePages) {
        CPINFO info{};
        if (codePage <= CP_OEMCP || !GetCPInfo(codePage, &info)) continue;
        std::printf("TIKVAN_CODE_PAGE(%u", codePage);
        for (int i = 0; i + 1 < MAX_LEADBYTES && (info.LeadByte[i] != 0 || info.LeadByte[i + 1] != 0); i += 2) {
            std::printf(", 0x%02X, 0x%02X", info.LeadByte[i], info.LeadByte[i + 1]);
        }
        std::printf(")\n");
    }
    std::printf("#undef TIKVAN_LOCALE\n"
                "#undef TIKVAN_LOCALE_NAME\n"
                "#undef TIKVAN_CODE_PAGE\n");
    return 0;
}
