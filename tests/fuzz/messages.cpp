// Fuzz target: ExpandMessage on any format and arguments. The format, every
// text argument and the output buffer are heap blocks of their exact size,
// so the address sanitizer catches a byte read or written past any of them.
//
// Input: byte 0 the output capacity (0..255); byte 1 the argument count
// (0..5); per argument a byte for a signed number, a length byte (0..31)
// and the text; the rest is the format.
//
// The output always ends with a zero within the capacity; a format without
// "%" comes out as it is, cut to fit.
#include <memory>
#include <vector>

#include "base/messages.h"
#include "fuzz.h"

using namespace tikvan;

namespace {

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
    const std::size_t capacity = input.Byte();
    const std::size_t count = input.Byte() % 6;
    std::vector<MessageArgument> arguments;
    for (std::size_t i = 0; i < count; ++i) {
        const auto number = static_cast<std::int64_t>(static_cast<signed char>(input.Byte())) << 24;
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
    if (format.find('%') == std::string_view::npos) {
        EXPECT(std::string_view(out.get(), length) == format.substr(0, capacity - 1), format);
    }
    return 0;
}
