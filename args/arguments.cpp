#include "args/arguments.h"

#include "platform/win32.h"

namespace tikvan {

namespace {

bool IsSeparator(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x01 && value <= 0x20;
}

const char* StepAnsi(const char* at) { return CharNextA(at); }

// Walks one token from `from` and gives the position after it; the token's
// bytes are added to `text` unless it is null. The character steps decide
// where a separator or a quote can stand, so the bytes between two of them
// are taken as one run.
std::size_t WalkToken(const char* line, std::size_t from, CharacterStep step, std::string* text) {
    const auto next = [&](std::size_t at) {
        const auto byte = static_cast<unsigned char>(line[at]);
        return byte != 0 && byte < 0x80 ? at + 1 : static_cast<std::size_t>(step(line + at) - line);
    };
    const auto take = [&](std::size_t start, std::size_t end) {
        if (text != nullptr) text->append(line + start, end - start);
    };
    std::size_t at = from;
    for (;;) {
        while (IsSeparator(line[at])) at = next(at);
        if (line[at] != '"' || line[at + 1] != '"') break;
        at += 2;
    }
    while (static_cast<unsigned char>(line[at]) > 0x20) {
        if (line[at] == '"') {
            const std::size_t start = ++at;
            while (line[at] != 0 && line[at] != '"') at = next(at);
            take(start, at);
            if (line[at] == '"') ++at;
        } else {
            const std::size_t start = at;
            while (static_cast<unsigned char>(line[at]) > 0x20 && line[at] != '"') at = next(at);
            take(start, at);
        }
    }
    return at;
}

}  // namespace

Token NextArgument(const char* line, std::size_t from, CharacterStep step) {
    Token token;
    token.next = WalkToken(line, from, step, &token.text);
    return token;
}

// The program's name is walked over without being kept.
std::vector<std::string> SplitArguments(const char* line, CharacterStep step) {
    std::vector<std::string> arguments;
    Token token{{}, WalkToken(line, 0, step, nullptr)};
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

std::span<const std::string> Arguments() { return ProcessArguments(); }

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
