// Fuzz target: any command line, split into arguments and read as switches. The first byte picks the code page
// (bit 0 set: code page 932, whose lead bytes step the splitter and keep a "/" after them); the rest, up to a zero,
// is the line. The properties checked are those of README.md's fuzzing table.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/driver.h"
#include "text.h"

using namespace tikvan;

namespace {

void Expect(bool holds) { if (!holds) std::abort(); }

std::vector<std::string_view> Words(const ArgumentList& arguments) {
    std::vector<std::string_view> words;
    for (std::int32_t i = 1; i <= arguments.ArgumentCount(); ++i) words.push_back(arguments.ArgumentAt(i));
    return words;
}

bool Holds(std::span<const std::string_view> words, std::string_view bytes) {
    return std::ranges::any_of(words, [&](std::string_view word) { return word.find_first_of(bytes) != word.npos; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const CharacterSet characters = (data[0] & 1) != 0 ? testing_text::Cp932() : CharacterSet();
    const LeadByteSet& leadBytes = characters.leadBytes;
    const CharacterStep step = leadBytes.Empty() ? testing_text::StepSingleByte : testing_text::StepCp932;
    std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    text = text.substr(0, text.find('\0'));
    // The line and its zero alone, and a token starting at `from` written to room + from, where exactly the rest of
    // the line fits: a step past either is caught.
    const std::unique_ptr<char[]> line(new char[text.size() + 1]), room(new char[text.size()]);
    *std::copy(text.begin(), text.end(), line.get()) = 0;

    std::vector<std::string> tokens;
    std::size_t contentBytes = 0;
    for (std::size_t from = 0;;) {
        const Token token = NextArgument(line.get(), from, step, room.get() + from);
        const Token measured = NextArgument(line.get(), from, step, nullptr);
        Expect(measured.length == token.length && measured.next == token.next);
        Expect(token.next >= from && token.next <= text.size() && token.length <= token.next - from);
        const std::string_view walked = text.substr(from, token.next - from), word(room.get() + from, token.length);
        const bool quoted = walked.find('"') != walked.npos;
        for (std::size_t i = 0, at = 0; i < word.size(); ++i) {
            at = walked.find(word[i], at) + 1;  // 0 when it is not there
            Expect(at != 0);
            const auto byte = static_cast<unsigned char>(word[i]);
            if (byte == '"' || (byte <= 0x20 && !quoted)) Expect(i > 0 && leadBytes.Has(word[i - 1]));
        }
        contentBytes += token.length;
        Expect(token.length != 0 || token.next == text.size());  // only the end of the line gives no token
        if (token.length == 0) break;
        tokens.emplace_back(word);
        from = token.next;
    }
    Expect(contentBytes >= static_cast<std::size_t>(std::ranges::count_if(
                               text, [](char c) { return static_cast<unsigned char>(c) > 0x20 && c != '"'; })));

    const ArgumentList arguments(line.get(), step);
    const std::vector<std::string_view> words = Words(arguments);
    Expect(std::ranges::equal(words, std::span(tokens).subspan(tokens.empty() ? 0 : 1)));
    const std::size_t nameEnd = NextArgument(line.get(), 0, step, nullptr).next;
    const std::string paired = std::string(text.substr(0, nameEnd)) + " \"\"" + std::string(text.substr(nameEnd));
    Expect(Words(ArgumentList(paired.c_str(), step)) == words);

    const Plan plan = PlanOutput(arguments, characters);
    const bool wellFormed = std::ranges::all_of(words, [](std::string_view word) {
        return word.starts_with('/') && word.find_first_not_of("/?DNTdnt") == word.npos &&
               word.find_first_not_of('/') != word.npos;
    });
    // No words at all ask for the date, the time and a line end.
    const bool date = words.empty() || Holds(words, "Dd"), time = words.empty() || Holds(words, "Tt"),
               lineEnd = words.empty() || Holds(words, "Nn");
    Expect(plan.action == (wellFormed && Holds(words, "?") ? Action::Help
                           : wellFormed && (date || time) ? Action::Timestamp : Action::UsageError));
    // A timestamp's pattern is the one of the six that the letters ask for; help and the usage error have none.
    const std::string asked = std::string(date ? "yyyy/mm/dd" : "") + (date && time ? " " : "") +
                              (time ? "hh:nn:ss" : "") + (lineEnd ? "\r\n" : "");
    Expect(plan.pattern == (plan.action == Action::Timestamp ? asked : ""));
    return 0;
}
