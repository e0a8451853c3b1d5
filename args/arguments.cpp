#include "args/arguments.h"

#include "platform/win32.h"

namespace tikvan {

namespace {

bool IsSeparator(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x01 && value <= 0x20;
}

// Takes the character at `at` into `token` and gives the position after it.
std::size_t TakeCharacter(const char* line, std::size_t at, CharacterStep step, std::string& token) {
    const auto next = static_cast<std::size_t>(step(line + at) - line);
    token.append(line + at, next - at);
    return next;
}

const char* StepAnsi(const char* at) { return CharNextA(at); }

}  // namespace

Token NextArgument(const char* line, std::size_t from, CharacterStep step) {
    std::size_t at = from;
    for (;;) {
        while (IsSeparator(line[at])) at = static_cast<std::size_t>(step(line + at) - line);
        if (line[at] != '"' || line[at + 1] != '"') break;
        at += 2;
    }
    Token token;
    while (static_cast<unsigned char>(line[at]) > 0x20) {
        if (line[at] == '"') {
            ++at;
            while (line[at] != 0 && line[at] != '"') at = TakeCharacter(line, at, step, token.text);
            if (line[at] == '"') ++at;
        } else {
            at = TakeCharacter(line, at, step, token.text);
        }
    }
    token.next = at;
    return token;
}

std::vector<std::string> SplitArguments(const char* line, CharacterStep step) {
    std::vector<std::string> arguments;
    Token token = NextArgument(line, 0, step);
    for (;;) {
        token = NextArgument(line, token.next, step);
        if (token.text.empty()) return arguments;
        arguments.push_back(std::move(token.text));
    }
}

namespace {

const std::vector<std::string>& ProcessArguments() {
    static const std::vector<std::string> arguments = SplitArguments(GetCommandLineA(), StepAnsi);
    return arguments;
}

}  // namespace

std::int32_t ArgumentCount() { return static_cast<std::int32_t>(ProcessArguments().size()); }

std::string ArgumentAt(std::int32_t index) {
    if (index == 0) {
        char path[MAX_PATH + 1];
        const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
        return {path, length < sizeof path ? length : sizeof path - 1};
    }
    if (index < 0 || index > ArgumentCount()) return {};
    return ProcessArguments()[static_cast<std::size_t>(index - 1)];
}

}  // namespace tikvan
