// Fuzz target: any values of LC_ALL, LC_CTYPE, LC_MESSAGES and LANG, which
// the input gives in that order, each ended by a zero byte (a value not
// reached is unset), read as the locales the variables name. Checked: the
// same values give the same locales; a value of 85 bytes or more is refused,
// as C is where it stands; a value without a modifier reads the same with
// its letters before the codeset in the other case and "-" for "_" there.
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/unix/locale.h"

using tikvan::posix::ProcessLocales;

namespace {

void Expect(bool holds) {
    if (!holds) std::abort();
}

constexpr const char* kVariables[] = {"LC_ALL", "LC_CTYPE", "LC_MESSAGES", "LANG"};
constexpr std::size_t kRefusedLength = 85;

ProcessLocales Read(const std::string (&values)[4], int count) {
    for (int i = 0; i < 4; ++i) {
        if (i < count) {
            setenv(kVariables[i], values[i].c_str(), 1);
        } else {
            unsetenv(kVariables[i]);
        }
    }
    return tikvan::posix::NamedLocales();
}

bool Same(ProcessLocales a, ProcessLocales b) { return a.system == b.system && a.user == b.user; }

// C and POSIX are names of their own only in this spelling.
bool Special(std::string_view value) {
    const std::size_t end = value.find_first_of(".@");
    std::string folded(value.substr(0, end));
    for (char& c : folded) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    return folded == "C" || folded == "POSIX";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string values[4];
    int count = 0;
    for (std::size_t at = 0; count < 4 && at < input.size(); ++count) {
        const std::size_t end = input.find('\0', at);
        values[count] = std::string(input.substr(at, end == input.npos ? input.npos : end - at));
        at = end == input.npos ? input.size() : end + 1;
    }
    const ProcessLocales read = Read(values, count);
    Expect(Same(Read(values, count), read));

    std::string refused[4], folded[4];
    bool foldable = true;
    for (int i = 0; i < count; ++i) {
        refused[i] = values[i].size() >= kRefusedLength ? "C" : values[i];
        folded[i] = values[i];
        foldable = foldable && values[i].find('@') == std::string::npos && !Special(values[i]);
        for (std::size_t k = 0; k < folded[i].size() && folded[i][k] != '.'; ++k) {
            char& c = folded[i][k];
            c = c == '_' ? '-' : c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
        }
    }
    Expect(Same(Read(refused, count), read));
    if (foldable) Expect(Same(Read(folded, count), read));
    return 0;
}
