// Fuzz target: ExpandMessage over exact-size heap blocks (capacity, 0..5
// arguments of a number and 0..31 bytes, the format): the output ends with a
// zero within the capacity; a format without "%" passes, cut.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "base/messages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::vector<std::unique_ptr<char[]>> blocks;
    const auto take = [&](std::size_t count) {
        const std::string_view taken = rest.substr(0, std::min(count, rest.size()));
        rest.remove_prefix(taken.size());
        blocks.emplace_back(new char[taken.size()]);
        std::copy(taken.begin(), taken.end(), blocks.back().get());
        return std::string_view(blocks.back().get(), taken.size());
    };
    const auto byte = [&] { return rest.empty() ? 0 : static_cast<unsigned char>(take(1)[0]); };
    const std::size_t capacity = byte(), count = byte() % 6;
    std::vector<tikvan::MessageArgument> arguments;
    for (std::size_t i = 0; i < count; ++i) {
        const auto number = static_cast<std::int64_t>(static_cast<signed char>(byte())) << 24;
        arguments.emplace_back(take(byte() % 32));
        arguments.back().number = number;
    }
    const std::string_view format = take(rest.size());
    const std::unique_ptr<char[]> out(new char[capacity]);
    const std::size_t length = tikvan::ExpandMessage(format, arguments.data(), arguments.size(), out.get(), capacity);
    const bool cut = format.find('%') != std::string_view::npos ||
                     std::string_view(out.get(), length) == format.substr(0, capacity - 1);
    if (capacity == 0 ? length != 0 : length >= capacity || out[length] != 0 || !cut) std::abort();
    return 0;
}
