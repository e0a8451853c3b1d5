// Fuzz target: raw command line -> arguments -> the command's decision.
//
// Input: byte 0 bit 0 picks the character step of the splitter (code page
// 932, else single bytes), bit 1 the lead bytes of the switch texts; the
// rest is the command line, program name first, up to its first zero.
//
// Whatever the line: the arguments are not empty and hold no zero, and
// with single-byte steps no double quote (a double-byte character may end
// in one); a timestamp comes only from arguments that begin with "/"
// and hold only "/" and the letters D, T, N; help only from those and "?";
// and the pattern is the one their letters ask for.
#include <string>

#include "app/driver.h"
#include "args/arguments.h"
#include "fuzz.h"

using namespace tikvan;

namespace {

const char* StepSingle(const char* at) { return *at == 0 ? at : at + 1; }
const char* StepCp932(const char* at) {
    if (*at == 0) return at;
    return fuzz::LeadBytes(true).Has(*at) && at[1] != 0 ? at + 2 : at + 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const unsigned mode = input.Byte();
    const std::string line(input.Rest());
    const ArgumentList list(line.c_str(), (mode & 1) != 0 ? StepCp932 : StepSingle);
    const auto words = list.Words();

    bool letters = true, slashes = true, help = false, date = false, time = false, lineEnd = false;
    for (const std::string_view word : words) {
        EXPECT(!word.empty() && word.find('\0') == std::string_view::npos, line);
        EXPECT((mode & 1) != 0 || word.find('"') == std::string_view::npos, line);
        slashes = slashes && word[0] == '/';
        letters = letters && word.find_first_not_of('/') != std::string_view::npos &&
                  word.find_first_not_of("/?DdTtNn") == std::string_view::npos;
        help = help || word.find('?') != std::string_view::npos;
        date = date || word.find_first_of("Dd") != std::string_view::npos;
        time = time || word.find_first_of("Tt") != std::string_view::npos;
        lineEnd = lineEnd || word.find_first_of("Nn") != std::string_view::npos;
    }
    const Plan plan = PlanOutput(words, fuzz::LeadBytes((mode & 2) != 0));
    const bool valid = slashes && letters;
    Action want = valid && help ? Action::Help : valid && (date || time) ? Action::Timestamp : Action::UsageError;
    if (words.empty()) want = Action::Timestamp;
    EXPECT(plan.action == want, line);
    if (plan.action != Action::Timestamp) return 0;
    std::string pattern = words.empty() || date ? "yyyy/mm/dd" : "";
    if (words.empty() || time) pattern += pattern.empty() ? "hh:nn:ss" : " hh:nn:ss";
    if (words.empty() || lineEnd) pattern += "\r\n";
    EXPECT(plan.pattern == pattern, line);
    return 0;
}
