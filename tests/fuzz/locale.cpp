// Fuzz target: any values of LC_ALL, LC_CTYPE, LC_MESSAGES and LANG, which the input gives in that order, each
// ended by a zero byte (a value not reached is unset), read as the locales the variables name. Checked: the same
// values give the same locales; a value of 85 bytes or more is refused, as C is where it stands; a value without a
// modifier reads the same with its letters before the codeset in the other case and "-" for "_" there.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/unix/locale.h"

using tikvan::posix::ProcessLocales;

namespace {

void Expect(bool holds) { if (!holds) std::abort(); }

constexpr const char* kVariables[] = {"LC_ALL", "LC_CTYPE", "LC_MESSAGES", "LANG"};
constexpr std::size_t kRefusedLength = 85;

ProcessLocales Read(const std::string (&values)[4], int count) {
    for (const char* variable : kVariables) unsetenv(variable);
    for (int i = 0; i < count; ++i) setenv(kVariables[i], values[i].c_str(), 1);
    return tikvan::posix::NamedLocales();
}

bool Same(ProcessLocales a, ProcessLocales b) { return a.system == b.system && a.user == b.user; }

// C and POSIX are names of their own only in this spelling.
bool Special(std::string_view value) {
    std::string folded(value.substr(0, value.find_first_of(".@")));
    for (char& c : folded) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    return folded == "C" || folded == "POSIX";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string values[4], refused[4], folded[4];
    int count = 0;
    bool foldable = true;
    for (std::size_t at = 0, end = 0; count < 4 && at < input.size(); at = end + 1, ++count) {
        end = std::min(input.find('\0', at), input.size());
        const std::string& value = values[count] = std::string(input.substr(at, end - at));
        refused[count] = value.size() >= kRefusedLength ? "C" : value;
        foldable = foldable && value.find('@') == value.npos && !Special(value);
        folded[count] = value;
        for (char& c : folded[count]) {
            if (c == '.') break;
            const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
            c = c == '_' ? '-' : letter ? static_cast<char>(c ^ 0x20) : c;
        }
    }
    const ProcessLocales read = Read(values, count);
    Expect(Same(Read(values, count), read));
    Expect(Same(Read(refused, count), read));
    if (foldable) Expect(Same(Read(folded, count), read));
    return 0;
}
