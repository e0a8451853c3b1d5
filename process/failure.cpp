#include "process/failure.h"

#include <type_traits>

#include "console/channel.h"
#include "process/messages.h"

namespace tikvan {

namespace {

// I/O codes with a text of their own, searched in this order.
constexpr struct {
    std::int32_t code;
    std::uint16_t message;
} kIoMessages[] = {{2, 65524}, {3, 65525}, {4, 65526}, {5, 65527}, {100, 65528}, {101, 65529}, {106, 65530}};

template <class Failure>
std::unique_ptr<Exception> Make(std::string message, const void* address, std::uint32_t exceptionCode) {
    if constexpr (std::is_base_of_v<EExternal, Failure>) {
        return std::make_unique<Failure>(std::move(message), address, exceptionCode);
    } else {
        return std::make_unique<Failure>(std::move(message), address);
    }
}

// The expanded message of a new failure object; static, so that making the
// object of a stack overflow needs little stack.
char expanded[1024];

using Maker = std::unique_ptr<Exception> (*)(std::string, const void*, std::uint32_t);

// By kind: the class, the run-time error number and the message id.
constexpr struct {
    Maker make;
    std::uint16_t number;
    std::uint16_t message;
} kRunErrors[] = {
    {nullptr, 0, 0},  // I/O: the number is the code's low 8 bits
    {&Make<EOutOfMemory>, 203, 65522},
    {&Make<EInvalidPointer>, 204, 65506},
    {&Make<EDivByZero>, 200, 65531},
    {&Make<ERangeError>, 201, 65532},
    {&Make<EIntOverflow>, 215, 65533},
    {&Make<EInvalidOp>, 207, 65534},
    {&Make<EZeroDivide>, 200, 65535},
    {&Make<EOverflow>, 205, 65504},
    {&Make<EUnderflow>, 206, 65505},
    {&Make<EInvalidCast>, 219, 65507},
    {&Make<EAccessViolation>, 216, 65509},
    {&Make<EPrivilege>, 218, 65512},
    {&Make<EControlC>, 217, 65511},
    {&Make<EStackOverflow>, 202, 65510},
    {&Make<EVariantError>, 220, 65490},
    {&Make<EVariantError>, 221, 65491},
    {&Make<EVariantError>, 222, 65517},
    {&Make<EVariantError>, 223, 65488},
    {&Make<EVariantError>, 224, 65492},
    {&Make<EVariantError>, 225, 65489},
    {&Make<EAssertionFailed>, 227, 65494},
    {&Make<EExternalException>, 0, 65493},
    {&Make<EIntfCastError>, 228, 65495},
    {&Make<ESafecallException>, 229, 65496},
};

}  // namespace

std::unique_ptr<Exception> CreateRunError(RunErrorKind kind, const void* address, std::uint32_t exceptionCode) {
    const auto& row = kRunErrors[static_cast<std::size_t>(kind)];
    if (row.make == nullptr) return std::make_unique<EInOutError>(CreateIoFailure(address));
    std::string message = LoadMessage(row.message);
    if (kind == RunErrorKind::ExternalException) {
        const MessageArgument code(static_cast<std::int64_t>(exceptionCode));
        message.assign(expanded, ExpandMessage(message, &code, 1, expanded, sizeof expanded));
    }
    return row.make(std::move(message), address, exceptionCode);
}

int RunErrorNumber(RunErrorKind kind) {
    if (kind == RunErrorKind::Io) return PendingIoCode() & 0xFF;
    return kRunErrors[static_cast<std::size_t>(kind)].number;
}

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
    const MessageArgument argument(static_cast<std::int64_t>(code));
    const std::size_t length = ExpandMessage(LoadMessage(kIoErrorWithCode), &argument, 1, expanded, sizeof expanded);
    return {code, std::string(expanded, length), address};
}

}  // namespace tikvan
