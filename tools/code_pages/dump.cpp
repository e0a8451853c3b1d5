// Writes the code page data that the POSIX build converts texts with, as
// Wine reports it, for the code pages of every locale Wine knows:
// * for each ANSI code page, what WideCharToMultiByte(code page, 0) makes of
//   every UTF-16 code unit outside ASCII that it does not turn into the
//   default character "?" (best-fit replacements included), as runs of
//   units;
// * for each pair of a single-byte ANSI code page and a different OEM code
//   page, what CharToOemA makes of the bytes 0x80 to 0xFF.
// Run under Wine by regenerate.sh.
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

std::set<UINT> ansiPages;
std::set<std::pair<UINT, UINT>> oemPairs;

UINT Number(LPCWSTR name, LCTYPE item) {
    DWORD value = 0;
    GetLocaleInfoEx(name, item | LOCALE_RETURN_NUMBER, reinterpret_cast<LPWSTR>(&value), sizeof value / sizeof(WCHAR));
    return value;
}

BOOL CALLBACK AddLocale(LPWSTR name, DWORD /*flags*/, LPARAM /*unused*/) {
    const UINT ansi = Number(name, LOCALE_IDEFAULTANSICODEPAGE);
    const UINT oem = Number(name, LOCALE_IDEFAULTCODEPAGE);
    // A locale without an ANSI code page uses UTF-8, which needs no table.
    if (ansi == 0 || ansi == CP_UTF8) return TRUE;
    ansiPages.insert(ansi);
    if (oem != ansi && oem > 1) oemPairs.insert({ansi, oem});
    return TRUE;
}

// The code of one unit: one byte, or a lead byte and a trail byte; 0 when
// the conversion fails.
unsigned CodeOf(UINT codePage, WCHAR unit) {
    char out[4];
    const int length = WideCharToMultiByte(codePage, 0, &unit, 1, out, sizeof out, nullptr, nullptr);
    if (length == 1) return static_cast<unsigned char>(out[0]);
    if (length == 2) return static_cast<unsigned>(static_cast<unsigned char>(out[0]) << 8 | static_cast<unsigned char>(out[1]));
    return 0;
}

struct Entry {
    unsigned unit;
    unsigned code;
};

// The codes of all lists, four hexadecimal digits each.
std::string codes;
// A run is at least this long; a list takes in gaps up to this many units,
// as "?", rather than end.
const std::size_t kShortestRun = 8;
const unsigned kLongestGap = 4;

void WriteList(UINT codePage, const std::vector<Entry>& list) {
    if (list.empty()) return;
    std::printf("TIKVAN_LIST(%u, 0x%04X, 0x%04X, %zu)\n", codePage, list.front().unit, list.back().unit, codes.size() / 4);
    unsigned next = list.front().unit;
    for (const Entry& entry : list) {
        char digits[8];
        for (; next < entry.unit; ++next) codes += "003F";
        std::snprintf(digits, sizeof digits, "%04X", entry.code);
        codes += digits;
        next = entry.unit + 1;
    }
}

// The units of one code page that map to something else than "?": a run of
// units whose codes follow one another is written as a run, the units
// between runs as lists.
void WriteCodePage(UINT codePage) {
    std::vector<Entry> entries;
    for (unsigned unit = 1; unit <= 0xFFFF; ++unit) {
        const unsigned code = CodeOf(codePage, static_cast<WCHAR>(unit));
        if (unit < 0x80) {
            if (code != unit) std::fprintf(stderr, "dump: code page %u changes ASCII 0x%02X\n", codePage, unit);
            continue;
        }
        if (code != 0 && code != '?') entries.push_back({unit, code});
    }
    std::vector<Entry> list;
    for (std::size_t at = 0; at < entries.size();) {
        std::size_t end = at + 1;
        while (end < entries.size() && entries[end].unit == entries[end - 1].unit + 1 &&
               entries[end].code == entries[end - 1].code + 1) {
            ++end;
        }
        const bool run = end - at >= kShortestRun;
        const bool joins = !list.empty() && entries[at].unit - list.back().unit <= kLongestGap + 1;
        if (run || !joins) {
            WriteList(codePage, list);
            list.clear();
        }
        if (run) {
            std::printf("TIKVAN_RUN(%u, 0x%04X, 0x%04X, 0x%X)\n", codePage, entries[at].unit, entries[end - 1].unit,
                        entries[at].code);
        } else {
            list.insert(list.end(), entries.begin() + static_cast<std::ptrdiff_t>(at),
                        entries.begin() + static_cast<std::ptrdiff_t>(end));
        }
        at = end;
    }
    WriteList(codePage, list);
}

void WriteOemPair(UINT ansi, UINT oem) {
    std::printf("TIKVAN_TO_OEM(%u, %u, \"", ansi, oem);
    for (unsigned byte = 0; byte < 0x100; ++byte) {
        char in[2] = {static_cast<char>(byte), 0};
        WCHAR wide[4];
        char out[4] = {};
        const int units = MultiByteToWideChar(ansi, 0, in, 1, wide, 4);
        const int length = units == 1 ? WideCharToMultiByte(oem, 0, wide, 1, out, sizeof out, nullptr, nullptr) : 0;
        if (length != 1) std::fprintf(stderr, "dump: %u to %u: byte 0x%02X gives %d bytes\n", ansi, oem, byte, length);
        const auto converted = static_cast<unsigned char>(out[0]);
        if (byte < 0x80) {
            if (converted != byte) std::fprintf(stderr, "dump: %u to %u changes ASCII 0x%02X\n", ansi, oem, byte);
            continue;
        }
        std::printf("\\x%02X", converted);
    }
    std::printf("\")\n");
}

}  // namespace

int main() {
    EnumSystemLocalesEx(AddLocale, LOCALE_ALL, 0, nullptr);
    std::printf("// WideCharToMultiByte(code page, 0) of the UTF-16 units outside ASCII that do\n"
                "// not become \"?\", for every ANSI code page. A code below 0x100 is one byte,\n"
                "// a larger one a lead byte and a trail byte.\n"
                "// TIKVAN_RUN(code page, first unit, last unit, code of the first unit):\n"
                "//   the codes of the units follow one another.\n"
                "// TIKVAN_LIST(code page, first unit, last unit, index): the codes of the units\n"
                "//   are the TIKVAN_CODES entries from index on (3F for \"?\").\n"
                "// An includer defines the macros it uses; the others expand to nothing.\n"
                "#ifndef TIKVAN_RUN\n"
                "#define TIKVAN_RUN(codePage, first, last, code)\n"
                "#endif\n"
                "#ifndef TIKVAN_LIST\n"
                "#define TIKVAN_LIST(codePage, first, last, index)\n"
                "#endif\n"
                "#ifndef TIKVAN_CODES\n"
                "#define TIKVAN_CODES(text)\n"
                "#endif\n"
                "#ifndef TIKVAN_TO_OEM\n"
                "#define TIKVAN_TO_OEM(ansi, oem, bytes)\n"
                "#endif\n");
    for (UINT codePage : ansiPages) WriteCodePage(codePage);
    std::printf("// The codes of the lists, four hexadecimal digits each, in order.\n");
    for (std::size_t at = 0; at < codes.size(); at += 128) std::printf("TIKVAN_CODES(\"%s\")\n", codes.substr(at, 128).c_str());
    std::printf("// CharToOemA from a single-byte ANSI code page to another OEM code page:\n"
                "// the OEM bytes of the ANSI bytes 0x80 to 0xFF, which are never ASCII.\n");
    for (const auto& [ansi, oem] : oemPairs) WriteOemPair(ansi, oem);
    std::printf("#undef TIKVAN_RUN\n"
                "#undef TIKVAN_LIST\n"
                "#undef TIKVAN_CODES\n"
                "#undef TIKVAN_TO_OEM\n");
    return 0;
}
