#include "base/failure.h"

#include <cstring>
#include <new>
#include <type_traits>

namespace tikvan {

std::int32_t PendingIoError = 0;

Exception::Exception(std::string_view message, const void* address)
    : length_(message.size() < sizeof message_ ? message.size() : sizeof message_), address_(address) {
    std::memcpy(message_, message.data(), length_);
}

namespace {

// I/O codes with a text of their own, searched in this order.
constexpr struct {
    std::int32_t code;
    std::uint16_t message;
} kIoMessages[] = {{2, 65524}, {3, 65525}, {4, 65526}, {5, 65527}, {100, 65528}, {101, 65529}, {106, 65530}};

// Where CreateRunError makes its object; no class of the tree is larger
// than EExternal, and none needs destroying.
alignas(EExternal) unsigned char runError[sizeof(EExternal)];

template <class Failure>
const Exception& Make(std::string_view message, const void* address, std::uint32_t exceptionCode) {
    static_assert(sizeof(Failure) <= sizeof runError && std::is_trivially_destructible_v<Failure>);
    if constexpr (std::is_base_of_v<EExternal, Failure>) {
        return *new (runError) Failure(message, address, exceptionCode);
    } else {
        return *new (runError) Failure(message, address);
    }
}

// The expanded message of a new failure object; static, so that making the
// object of a stack overflow needs little stack.
char expanded[1024];

using Maker = const Exception& (*)(std::string_view, const void*, std::uint32_t);

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

const Exception& CreateRunError(RunErrorKind kind, const void* address, std::uint32_t exceptionCode) {
    const auto& row = kRunErrors[static_cast<std::size_t>(kind)];
    if (row.make == nullptr) {
        static_assert(sizeof(EInOutError) <= sizeof runError);
        return *new (runError) EInOutError(CreateIoFailure(address));
    }
    std::string_view message = LoadMessage(row.message);
    if (kind == RunErrorKind::ExternalException) {
        const MessageArgument code(static_cast<std::int64_t>(exceptionCode));
        message = {expanded, ExpandMessage(message, &code, 1, expanded, sizeof expanded)};
    }
    return row.make(message, address, exceptionCode);
}

int RunErrorNumber(RunErrorKind kind) {
    if (kind == RunErrorKind::Io) return PendingIoError & 0xFF;
    return kRunErrors[static_cast<std::size_t>(kind)].number;
}

[[gnu::noinline]] void RaiseDateConversion() {
    throw EConvertError(LoadMessage(kDateConversion), __builtin_return_address(0));
}

[[gnu::noinline]] void RaiseTimeConversion() {
    throw EConvertError(LoadMessage(kTimeConversion), __builtin_return_address(0));
}

std::int32_t TakeIoError() {
    const std::int32_t code = PendingIoError;
    PendingIoError = 0;
    return code;
}

EInOutError CreateIoFailure(const void* address) {
    const std::int32_t code = TakeIoError();
    for (const auto& row : kIoMessages) {
        if (row.code == code) return {code, LoadMessage(row.message), address};
    }
    const MessageArgument argument(static_cast<std::int64_t>(code));
    const std::size_t length = ExpandMessage(LoadMessage(kIoErrorWithCode), &argument, 1, expanded, sizeof expanded);
    return {code, std::string_view(expanded, length), address};
}

}  // namespace tikvan
