#include "process/failure.h"

#include "console/channel.h"
#include "process/messages.h"

namespace tikvan {

namespace {

// I/O codes with a text of their own, searched in this order.
constexpr struct {
    std::int32_t code;
    std::uint16_t message;
} kIoMessages[] = {{2, 65524}, {3, 65525}, {4, 65526}, {5, 65527}, {100, 65528}, {101, 65529}, {106, 65530}};

}  // namespace

[[gnu::noinline]] void RaiseDateConversion() {
    throw EConvertError(LoadMessage(kDateConversion), __builtin_return_address(0));
}

[[gnu::noinline]] void RaiseTimeConversion() {
    throw EConvertError(LoadMessage(kTimeConversion), __builtin_return_address(0));
}

EInOutError CreateIoFailure(const void* address) {
    const std::int32_t code = TakeIoError();
    for (const auto& row : kIoMessages) {
        if (row.code == code) return {code, LoadMessage(row.message), address};
    }
    char text[1024];
    const MessageArgument argument(static_cast<std::int64_t>(code));
    const std::size_t length = ExpandMessage(LoadMessage(kIoErrorWithCode), &argument, 1, text, sizeof text);
    return {code, std::string(text, length), address};
}

}  // namespace tikvan
