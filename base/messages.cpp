#include "base/messages.h"

#include "base/digits.h"
#include "platform/win32.h"

namespace tikvan {

namespace {

constexpr std::size_t kIndexBeyondArguments = 1'000'000;

class Writer {
public:
    Writer(char* out, std::size_t capacity) : out_(out), capacity_(capacity) {}
    void Put(char byte) {
        if (length_ + 1 < capacity_) out_[length_++] = byte;
    }
    void Put(std::string_view bytes) {
        for (char byte : bytes) Put(byte);
    }
    // `value` in base 10 or 16 (upper-case digits), at least `width` digits.
    void PutNumber(std::uint64_t value, unsigned base, unsigned width) {
        char digits[kMostDigits];
        Put({digits, WriteDigits(value, base, width, digits)});
    }
    std::size_t Finish() {
        if (capacity_ > 0) out_[length_] = 0;
        return length_;
    }

private:
    char* out_;
    std::size_t capacity_;
    std::size_t length_ = 0;
};

}  // namespace

std::string_view LoadMessage(std::uint16_t id) {
    static char text[kMessageCapacity];
    const int length = LoadStringA(nullptr, id, text, sizeof text);
    return {text, length > 0 ? static_cast<std::size_t>(length) : 0};
}

std::size_t ExpandMessage(std::string_view format, std::span<const MessageArgument> arguments, char* out,
                          std::size_t capacity) {
    Writer writer(out, capacity);
    std::size_t next = 0;
    for (std::size_t at = 0; at < format.size(); ++at) {
        if (format[at] != '%') {
            writer.Put(format[at]);
            continue;
        }
        std::size_t cursor = at + 1;
        std::size_t index = 0;
        bool indexed = false;
        while (cursor < format.size() && format[cursor] >= '0' && format[cursor] <= '9') {
            // Stops growing once past any argument list, so that a long index
            // cannot wrap round to an argument that exists.
            if (index < kIndexBeyondArguments) index = index * 10 + static_cast<std::size_t>(format[cursor] - '0');
            ++cursor;
            indexed = true;
        }
        const bool byIndex = indexed && cursor < format.size() && format[cursor] == ':';
        cursor = byIndex ? cursor + 1 : at + 1;
        const char letter = cursor < format.size() ? static_cast<char>(format[cursor] | 0x20) : '\0';
        if (letter != 's' && letter != 'd' && letter != 'x' && letter != 'p') {
            writer.Put('%');  // no conversion: copied, and the bytes after it in their turn
            continue;
        }
        if (byIndex) next = index;
        at = cursor;
        if (next >= arguments.size()) continue;
        const MessageArgument& argument = arguments[next++];
        const auto number = static_cast<std::uint64_t>(argument.number);
        switch (letter) {
            case 's': writer.Put(argument.text); break;
            case 'd':
                if (argument.number < 0) writer.Put('-');
                writer.PutNumber(argument.number < 0 ? 0 - number : number, 10, 1);
                break;
            case 'x': writer.PutNumber(number & 0xFFFFFFFFU, 16, 1); break;
            default: writer.PutNumber(number & 0xFFFFFFFFU, 16, 8); break;  // 'p'
        }
    }
    return writer.Finish();
}

}  // namespace tikvan
