// Fuzz target: ExpandMessage on any format and arguments. The format, every
// text argument and the output buffer are heap blocks of their exact size,
// so the address sanitizer catches a byte read or written past any of them.
//
// Input: bytes 0-1 the output capacity (0..1099); byte 2 the argument count
// (0..5); per argument 4 bytes of a 32-bit signed number, a length byte
// (0..31) and the text; the rest is the format.
//
// Formats whose every "%" starts a conversion ("%", an optional index and
// ":", one of s d x p in either case) of an argument that exists must expand
// as the reference does, cut to capacity - 1 bytes and a zero.
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fuzz.h"
#include "base/messages.h"

using namespace tikvan;

namespace {

std::optional<std::string> Reference(std::string_view format, const std::vector<MessageArgument>& arguments) {
    std::string out;
    std::size_t next = 0;
    for (std::size_t at = 0; at < format.size(); ++at) {
        if (format[at] != '%') {
            out += format[at];
            continue;
        }
        std::size_t digits = at + 1;
        while (digits < format.size() && format[digits] >= '0' && format[digits] <= '9') ++digits;
        if (digits > at + 1 && digits < format.size() && format[digits] == ':') {
            if (digits - at - 1 > 4) return std::nullopt;
            next = std::stoul(std::string(format.substr(at + 1, digits - at - 1)));
            at = digits;
        }
        if (++at >= format.size() || next >= arguments.size()) return std::nullopt;
        const MessageArgument& argument = arguments[next++];
        char number[32];
        switch (format[at]) {
            case 's': case 'S': out += argument.text; continue;
            case 'd': case 'D': std::snprintf(number, sizeof number, "%lld", static_cast<long long>(argument.number)); break;
            case 'x': case 'X': std::snprintf(number, sizeof number, "%X", static_cast<unsigned>(argument.number)); break;
            case 'p': case 'P': std::snprintf(number, sizeof number, "%08X", static_cast<unsigned>(argument.number)); break;
            default: return std::nullopt;
        }
        out += number;
    }
    return out;
}

// A heap copy of exactly these bytes, without a terminating zero.
std::string_view Exact(std::string_view bytes, std::vector<std::unique_ptr<char[]>>& blocks) {
    blocks.emplace_back(new char[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), blocks.back().get());
    return {blocks.back().get(), bytes.size()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    std::vector<std::unique_ptr<char[]>> blocks;
    const std::size_t capacity = input.Word(2) % 1100;
    const std::size_t count = input.Byte() % 6;
    std::vector<MessageArgument> arguments;
    arguments.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto number = static_cast<std::int32_t>(input.Word(4));
        arguments.emplace_back(Exact(input.Take(input.Byte() % 32), blocks));
        arguments.back().number = number;
    }
    const std::string_view format = Exact(input.Rest(), blocks);
    const std::unique_ptr<char[]> out(new char[capacity]);

    const std::size_t length = ExpandMessage(format, arguments.data(), arguments.size(), out.get(), capacity);
    if (capacity == 0) {
        EXPECT(length == 0, format);
        return 0;
    }
    EXPECT(length < capacity && out[length] == 0, format);
    if (const auto want = Reference(format, arguments)) EXPECT(std::string_view(out.get(), length) == want->substr(0, capacity - 1), format);
    return 0;
}
