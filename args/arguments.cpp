#include "args/arguments.h"

#include "platform/win32.h"

namespace tikvan {

namespace {

bool IsSeparator(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x01 && value <= 0x20;
}

const char* StepAnsi(const char* at) { return CharNextA(at); }

}  // namespace

// The token's bytes are written to `out` unless it is null. The character
// steps decide where a separator or a quote can stand, so the bytes between
// two of them are taken as one run.
Token NextArgument(const char* line, std::size_t from, CharacterStep step, char* out) {
    std::size_t length = 0;
    const auto next = [&](std::size_t at) {
        const auto byte = static_cast<unsigned char>(line[at]);
        return byte != 0 && byte < 0x80 ? at + 1 : static_cast<std::size_t>(step(line + at) - line);
    };
    const auto take = [&](std::size_t start, std::size_t end) {
        if (out != nullptr) {
            for (std::size_t i = start; i < end; ++i) out[length + i - start] = line[i];
        }
        length += end - start;
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
    return {length, at};
}

// The program's name is walked over without being kept. A first walk counts
// the arguments; the second writes them. Their bytes never outnumber the
// line's.
ArgumentList::ArgumentList(const char* line, CharacterStep step) {
    const std::size_t first = NextArgument(line, 0, step, nullptr).next;
    std::size_t size = 0;
    for (Token token{0, first}; (token = NextArgument(line, token.next, step, nullptr)).length != 0;) {
        ++count_;
        size += token.length;
    }
    bytes_.reset(new char[size]);
    words_.reset(new std::string_view[count_]);
    char* out = bytes_.get();
    Token token{0, first};
    for (std::size_t i = 0; i < count_; ++i) {
        token = NextArgument(line, token.next, step, out);
        words_[i] = {out, token.length};
        out += token.length;
    }
}

const ArgumentList& Arguments() {
    static const ArgumentList arguments(GetCommandLineA(), StepAnsi);
    return arguments;
}

}  // namespace tikvan
