// Fuzz target: any command line, split into arguments and read as switches.
// The first byte picks the code page: with bit 0 set code page 932, whose
// lead bytes step the splitter and keep a "/" after them in a switch text;
// clear, a single-byte code page. The rest, up to its first zero, is the line.
// Each token is measured as it is written, ends within the line, and draws
// its bytes in order from the part it walked; a quote in it is the second
// byte of a character, and so is a blank unless it walked a quote; only the
// last token is empty, and no byte above 0x20 but a quote is lost. The words
// are the tokens after the program's name, and a pair of quotes after the
// name changes none. A word that does not begin with "/", holds a byte
// outside "/?DNTdnt" or only slashes gives the usage error; the plan is
// help, the usage error or one of the six patterns, and otherwise what the
// letters ask for.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/driver.h"
#include "args/arguments.h"
#include "text.h"

using namespace tikvan;

namespace {

void Expect(bool holds) {
    if (!holds) std::abort();
}

bool DrawnFrom(std::string_view word, std::string_view walked) {
    std::size_t at = 0;
    for (char byte : word) {
        at = walked.find(byte, at);
        if (at == std::string_view::npos) return false;
        ++at;
    }
    return true;
}

// Walks the line token by token, from the program's name to the first empty
// token, each written where the room ends with the room for the rest of the
// line.
std::vector<std::string> SplitChecked(std::string_view text, const char* line, CharacterStep step,
                                      const LeadByteSet& leadBytes) {
    std::vector<std::string> tokens;
    std::size_t contentBytes = 0;
    const std::unique_ptr<char[]> room(new char[text.size()]);
    for (std::size_t from = 0;;) {
        char* const out = room.get() + from;
        const Token token = NextArgument(line, from, step, out);
        const Token measured = NextArgument(line, from, step, nullptr);
        Expect(measured.length == token.length && measured.next == token.next);
        Expect(token.next >= from && token.next <= text.size() && token.length <= token.next - from);
        const std::string_view walked = text.substr(from, token.next - from);
        const std::string_view word(out, token.length);
        Expect(DrawnFrom(word, walked));
        // Only a trail byte is a quote, or a blank where no quote opened.
        const bool quoted = walked.find('"') != std::string_view::npos;
        for (std::size_t i = 0; i < word.size(); ++i) {
            const auto byte = static_cast<unsigned char>(word[i]);
            if (byte == '"' || (byte <= 0x20 && !quoted)) Expect(i > 0 && leadBytes.Has(word[i - 1]));
        }
        contentBytes += token.length;
        if (token.length == 0) {
            Expect(token.next == text.size());
            break;
        }
        tokens.emplace_back(word);
        from = token.next;
    }
    // No byte above 0x20 but a quote is lost, in quotes or out.
    const auto content = [](char c) { return static_cast<unsigned char>(c) > 0x20 && c != '"'; };
    Expect(contentBytes >= static_cast<std::size_t>(std::ranges::count_if(text, content)));
    return tokens;
}

bool Holds(std::span<const std::string_view> words, std::string_view bytes) {
    return std::any_of(words.begin(), words.end(), [&](std::string_view word) {
        return word.find_first_of(bytes) != std::string_view::npos;
    });
}

// The plan is help, the usage error or one of the six patterns. A line of
// well-formed switches, each beginning with "/" and holding only "/?DNTdnt"
// with one letter at least, gets what its letters ask for; any other word
// gives the usage error.
void ExpectPlan(std::span<const std::string_view> words, const Plan& plan) {
    constexpr std::string_view kPatterns[] = {"yyyy/mm/dd", "yyyy/mm/dd\r\n", "hh:nn:ss", "hh:nn:ss\r\n",
                                              "yyyy/mm/dd hh:nn:ss", "yyyy/mm/dd hh:nn:ss\r\n"};
    switch (plan.action) {
        case Action::Timestamp: Expect(std::ranges::find(kPatterns, plan.pattern) != std::end(kPatterns)); break;
        case Action::Help:
        case Action::UsageError: Expect(plan.pattern.empty()); break;
        default: Expect(false);
    }
    const bool wellFormed = std::all_of(words.begin(), words.end(), [](std::string_view word) {
        return word.starts_with('/') && word.find_first_not_of("/?DNTdnt") == std::string_view::npos &&
               word.find_first_not_of('/') != std::string_view::npos;
    });
    if (!wellFormed) return Expect(plan.action == Action::UsageError);
    if (Holds(words, "?")) return Expect(plan.action == Action::Help);
    // No words at all ask for the date, the time and a line end.
    const bool date = words.empty() || Holds(words, "Dd"), time = words.empty() || Holds(words, "Tt"),
               lineEnd = words.empty() || Holds(words, "Nn");
    if (!date && !time) return Expect(plan.action == Action::UsageError);
    const std::string_view pattern = plan.pattern;
    Expect(plan.action == Action::Timestamp && pattern.starts_with("yyyy/mm/dd") == date &&
           pattern.ends_with(lineEnd ? "hh:nn:ss\r\n" : "hh:nn:ss") == time && pattern.ends_with("\r\n") == lineEnd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool doubleByte = (data[0] & 1) != 0;
    const LeadByteSet leadBytes = doubleByte ? testing_text::Cp932LeadBytes() : LeadByteSet();
    const CharacterStep step = doubleByte ? testing_text::StepCp932 : testing_text::StepSingleByte;
    std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    text = text.substr(0, text.find('\0'));
    // The line and its zero alone, so that a read past the zero is caught.
    const std::unique_ptr<char[]> line(new char[text.size() + 1]);
    std::copy(text.begin(), text.end(), line.get());
    line[text.size()] = 0;

    const std::vector<std::string> tokens = SplitChecked(text, line.get(), step, leadBytes);
    const ArgumentList arguments(line.get(), step);
    const auto words = arguments.Words();
    Expect(std::ranges::equal(words, std::span(tokens).subspan(tokens.empty() ? 0 : 1)));
    // A pair of quotes and a blank after the program's name change no word.
    const std::size_t nameEnd = NextArgument(line.get(), 0, step, nullptr).next;
    const std::string paired = std::string(text.substr(0, nameEnd)) + " \"\"" + std::string(text.substr(nameEnd));
    const ArgumentList pairedArguments(paired.c_str(), step);
    Expect(std::ranges::equal(pairedArguments.Words(), words));
    ExpectPlan(words, PlanOutput(words, leadBytes));
    return 0;
}
