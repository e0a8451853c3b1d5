#include "base/failure.h"

#include <cstring>
#include <type_traits>

#include "platform/win32.h"

namespace tikvan {

std::int32_t PendingIoError = 0;

Exception::Exception(std::string_view message, const void* address)
    : length_(message.size() < sizeof message_ ? message.size() : sizeof message_), address_(address) {
    std::memcpy(message_, message.data(), length_);
}

namespace {

template <class Failure>
const Exception& BuildRunError(std::string_view message, const void* address, std::uint32_t exceptionCode) {
    if constexpr (std::is_base_of_v<EExternal, Failure>) {
        return MakeFailure([&] { return Failure(message, address, exceptionCode); });
    } else {
        return MakeFailure([&] { return Failure(message, address); });
    }
}

// The expanded message of a new failure object; static, so that making the
// object of a stack overflow needs little stack.
char expanded[kMessageCapacity];

using Maker = const Exception& (*)(std::string_view, const void*, std::uint32_t);

// By kind, from kind 1: the class, the run-time error number and the
// message id.
constexpr struct {
    Maker make;
    std::uint16_t number;
    MessageId message;
} kRunErrors[] = {
    {&BuildRunError<EOutOfMemory>, 203, kOutOfMemory},
    {&BuildRunError<EInvalidPointer>, 204, kInvalidPointer},
    {&BuildRunError<EDivByZero>, 200, kDivByZero},
    {&BuildRunError<ERangeError>, 201, kRangeError},
    {&BuildRunError<EIntOverflow>, 215, kIntOverflow},
    {&BuildRunError<EInvalidOp>, 207, kInvalidOp},
    {&BuildRunError<EZeroDivide>, 200, kZeroDivide},
    {&BuildRunError<EOverflow>, 205, kOverflow},
    {&BuildRunError<EUnderflow>, 206, kUnderflow},
    {&BuildRunError<EInvalidCast>, 219, kInvalidCast},
    {&BuildRunError<EAccessViolation>, 216, kAccessViolation},
    {&BuildRunError<EPrivilege>, 218, kPrivilege},
    {&BuildRunError<EControlC>, 217, kControlC},
    {&BuildRunError<EStackOverflow>, 202, kStackOverflow},
    {&BuildRunError<EVariantError>, 220, kVariantTypeCast},
    {&BuildRunError<EVariantError>, 221, kVariantOperation},
    {&BuildRunError<EVariantError>, 222, kVariantDispatch},
    {&BuildRunError<EVariantError>, 223, kVariantArrayCreate},
    {&BuildRunError<EVariantError>, 224, kVariantArgument},
    {&BuildRunError<EVariantError>, 225, kVariantBounds},
    {&BuildRunError<EAssertionFailed>, 227, kAssertionFailed},
    {&BuildRunError<EExternalException>, 0, kExternalException},
    {&BuildRunError<EIntfCastError>, 228, kIntfCast},
    {&BuildRunError<ESafecallException>, 229, kSafecallException},
};

const auto& RowOf(RunErrorKind kind) { return kRunErrors[static_cast<std::size_t>(kind) - 1]; }

}  // namespace

const Exception& CreateRunError(RunErrorKind kind, const void* address, std::uint32_t exceptionCode) {
    const auto& row = RowOf(kind);
    std::string_view message = LoadMessage(row.message);
    if (kind == RunErrorKind::ExternalException) {
        const MessageArgument code[] = {static_cast<std::int64_t>(exceptionCode)};
        message = {expanded, ExpandMessage(message, code, expanded, sizeof expanded)};
    }
    return row.make(message, address, exceptionCode);
}

int RunErrorNumber(RunErrorKind kind) { return RowOf(kind).number; }

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
    // Of the codes that a write of standard output gives, a refused write
    // has a text of its own; the others are shown by number.
    if (code == ERROR_ACCESS_DENIED) return {code, LoadMessage(kAccessDenied), address};
    const MessageArgument argument[] = {static_cast<std::int64_t>(code)};
    const std::size_t length = ExpandMessage(LoadMessage(kIoErrorWithCode), argument, expanded, sizeof expanded);
    return {code, std::string_view(expanded, length), address};
}

}  // namespace tikvan
