// Writes the locale data that the POSIX build answers locale queries from,
// as Wine reports it: for every system locale its id, its name, its date and
// time separators, its default ANSI and OEM code pages, and the lead-byte ranges
// of every code page in use; and the names without a script that Wine takes
// for a locale whose name has one ("ff-NG" for "ff-Latn-NG"), as a POSIX
// locale name without a script leads to them. Run under Wine by
// regenerate.sh.
//
// Values are written as the raw bytes GetLocaleInfoA gives, in C escapes.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<LCID> locales;

BOOL CALLBACK AddLocale(LPSTR id) {
    locales.push_back(static_cast<LCID>(std::strtoul(id, nullptr, 16)));
    return TRUE;
}

// The item's bytes without the terminating zero; the empty text when the
// query fails.
std::string Item(LCID locale, LCTYPE item) {
    char buffer[256];
    const int length = GetLocaleInfoA(locale, item, buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, static_cast<std::size_t>(length - 1)) : std::string();
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

}  // namespace

int main() {
    EnumSystemLocalesA(AddLocale, LCID_SUPPORTED);
    std::set<UINT> codePages;
    std::printf(
        "// Locale id, name, LOCALE_SDATE, LOCALE_STIME, LOCALE_IDEFAULTANSICODEPAGE, LOCALE_IDEFAULTCODEPAGE.\n");
    for (LCID locale : locales) {
        const std::string codePage = Item(locale, LOCALE_IDEFAULTANSICODEPAGE);
        const std::string oemCodePage = Item(locale, LOCALE_IDEFAULTCODEPAGE);
        codePages.insert(static_cast<UINT>(std::strtoul(codePage.c_str(), nullptr, 10)));
        codePages.insert(static_cast<UINT>(std::strtoul(oemCodePage.c_str(), nullptr, 10)));
        std::printf("TIKVAN_LOCALE(0x%04lX, %s, %s, %s, %s, %s)\n", static_cast<unsigned long>(locale),
                    Quoted(Item(locale, 0x5C /* LOCALE_SNAME */)).c_str(), Quoted(Item(locale, LOCALE_SDATE)).c_str(),
                    Quoted(Item(locale, LOCALE_STIME)).c_str(), Quoted(codePage).c_str(), Quoted(oemCodePage).c_str());
    }
    std::printf("// Name without the script, and the locale Wine takes for it.\n");
    for (LCID locale : locales) {
        const std::string name = Item(locale, 0x5C /* LOCALE_SNAME */);
        const std::size_t script = name.find('-');
        const std::size_t region = name.rfind('-');
        if (script == region || region - script != 5) continue;
        const std::string alias = name.substr(0, script) + name.substr(region);
        const std::wstring wide(alias.begin(), alias.end());
        const LCID found = LocaleNameToLCID(wide.c_str(), 0);
        if (found != 0 && (found & 0xFFFF) == locale) {
            std::printf("TIKVAN_LOCALE_ALIAS(%s, 0x%04lX)\n", Quoted(alias).c_str(), static_cast<unsigned long>(locale));
        }
    }
    std::printf("// Code page and its lead-byte ranges, low and high, up to six pairs.\n");
    for (UINT codePage : codePages) {
        CPINFO info{};
        if (codePage <= CP_OEMCP || !GetCPInfo(codePage, &info)) continue;
        std::printf("TIKVAN_CODE_PAGE(%u", codePage);
        for (int i = 0; i + 1 < MAX_LEADBYTES && (info.LeadByte[i] != 0 || info.LeadByte[i + 1] != 0); i += 2) {
            std::printf(", 0x%02X, 0x%02X", info.LeadByte[i], info.LeadByte[i + 1]);
        }
        std::printf(")\n");
    }
    return 0;
}
