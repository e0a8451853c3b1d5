// Fuzz target: raw command line -> arguments -> the command's decision,
// compared with a reference of the switch grammar written afresh here.
//
// Input: byte 0 picks the character step of the splitter (bit 0: code page
// 932, else single bytes) and the lead-byte set of the switch texts (bit 1:
// code page 932, else none); the two may differ, each keeping its own rule.
// The rest is the command line, program name first, up to its first zero.
#include <string>
#include <vector>

#include "app/driver.h"
#include "args/arguments.h"
#include "fuzz.h"

using namespace tikvan;

namespace {

const char* StepSingle(const char* at) { return *at == 0 ? at : at + 1; }
const char* StepCp932(const char* at) {
    if (*at == 0) return at;
    return fuzz::IsCp932Lead(static_cast<unsigned char>(*at)) && at[1] != 0 ? at + 2 : at + 1;
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : c; }

struct Reference {
    bool stepCp932;
    bool leadCp932;

    bool Lead(const std::string& text, std::size_t at, bool cp932) const {
        return cp932 && fuzz::IsCp932Lead(static_cast<unsigned char>(text[at])) && text[at + 1] != 0;
    }

    // Tokens, the first being the program's name: bytes 0x01..0x20 separate,
    // a double quote toggles a section where they are content and vanishes,
    // empty quote pairs before a token are skipped; a double-byte character
    // is taken whole. The arguments end at the first empty token.
    std::vector<std::string> Arguments(const std::string& line) const {
        std::vector<std::string> tokens;
        for (std::size_t at = 0;;) {
            for (;;) {
                const auto byte = static_cast<unsigned char>(line[at]);
                if (byte >= 0x01 && byte <= 0x20) ++at;
                else if (byte == '"' && line[at + 1] == '"') at += 2;
                else break;
            }
            std::string token;
            for (bool quoted = false; line[at] != 0 && (quoted || static_cast<unsigned char>(line[at]) > 0x20);) {
                if (line[at] == '"') {
                    quoted = !quoted;
                    ++at;
                    continue;
                }
                const std::size_t length = Lead(line, at, stepCp932) ? 2 : 1;
                token.append(line, at, length);
                at += length;
            }
            if (token.empty() && !tokens.empty()) return {tokens.begin() + 1, tokens.end()};
            tokens.push_back(token);
        }
    }

    // Every argument must begin with "/"; then each switch text (upper-cased,
    // each "/" that begins a character dropped) is classified byte by byte.
    SwitchSet Switches(const std::vector<std::string>& arguments) const {
        SwitchSet set;
        for (const std::string& argument : arguments) {
            if (argument[0] != '/') return {.usageError = true};
        }
        for (const std::string& argument : arguments) {
            std::string letters;
            for (std::size_t at = 0; at < argument.size(); ++at) {
                if (Lead(argument, at, leadCp932)) {
                    letters += Upper(argument[at]);
                    letters += Upper(argument[++at]);
                } else if (argument[at] != '/') {
                    letters += Upper(argument[at]);
                }
            }
            set.usageError |= letters.empty();
            for (char letter : letters) {
                set.help |= letter == '?';
                set.date |= letter == 'D';
                set.lineEnd |= letter == 'N';
                set.time |= letter == 'T';
                set.usageError |= letter != '?' && letter != 'D' && letter != 'N' && letter != 'T';
            }
        }
        return set;
    }

    Plan Decide(const std::vector<std::string>& arguments) const {
        if (arguments.empty()) return {Action::Timestamp, "yyyy/mm/dd hh:nn:ss\r\n"};
        const SwitchSet set = Switches(arguments);
        if (set.usageError) return {Action::UsageError, {}};
        if (set.help) return {Action::Help, {}};
        if (!set.date && !set.time) return {Action::UsageError, {}};
        static constexpr std::string_view kPatterns[] = {"hh:nn:ss",     "yyyy/mm/dd",     "yyyy/mm/dd hh:nn:ss",
                                                         "hh:nn:ss\r\n", "yyyy/mm/dd\r\n", "yyyy/mm/dd hh:nn:ss\r\n"};
        return {Action::Timestamp, kPatterns[(set.date && set.time ? 2 : set.date ? 1 : 0) + (set.lineEnd ? 3 : 0)]};
    }
};

bool Same(const SwitchSet& a, const SwitchSet& b) {
    return a.usageError == b.usageError && a.help == b.help && a.lineEnd == b.lineEnd && a.date == b.date &&
           a.time == b.time;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const unsigned mode = input.Byte();
    const Reference reference{(mode & 1) != 0, (mode & 2) != 0};
    const std::string line(input.Rest());

    const std::vector<std::string> arguments = testing_text::Split(line, reference.stepCp932 ? StepCp932 : StepSingle);
    const std::vector<std::string_view> views = testing_text::Views(arguments);
    EXPECT(arguments == reference.Arguments(line), line);
    const RegionalSettings regional = fuzz::WithLeadBytes(reference.leadCp932 ? 1 : 0);
    if (!arguments.empty()) EXPECT(Same(ReadSwitches(views, regional.leadBytes), reference.Switches(arguments)), line);
    const Plan plan = PlanOutput(views, regional.leadBytes);
    const Plan want = reference.Decide(arguments);
    EXPECT(plan.action == want.action && plan.pattern == want.pattern, line);
    return 0;
}
