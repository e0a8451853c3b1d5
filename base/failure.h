// The failures that the program's services raise. Nothing in the program
// catches them: the outermost handler reports them and ends the process with
// status 1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <string_view>
#include <type_traits>

#include "base/messages.h"

namespace tikvan {

// The root of the tree. Failure objects are raised by value or made in
// static storage, never deleted through a base, so the tree needs no
// virtual destructor and each class stays trivially destructible.
class TObject {
public:
    virtual const char* ClassName() const = 0;

protected:
    TObject() = default;
    TObject(const TObject&) = default;
    TObject& operator=(const TObject&) = default;
    ~TObject() = default;
};

// A failure: its message, in the ANSI code page, and the code address where
// it was raised. The message is held in the object, cut to the longest text
// the string table gives, so that raising a failure copies no owned string.
class Exception : public TObject {
public:
    // Out of line, so that making any class of the tree calls one copy.
    [[gnu::noinline]] Exception(std::string_view message, const void* address);
    const char* ClassName() const override { return "Exception"; }
    std::string_view Message() const { return {message_, length_}; }
    const void* Address() const { return address_; }

private:
    char message_[kMessageCapacity - 1];
    std::size_t length_;
    const void* address_;
};

class EHeapException : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const override { return "EHeapException"; }
};

// Exhausted memory. Its object is made in static storage when memory runs
// out, so that reporting it needs no memory.
class EOutOfMemory final : public EHeapException {
public:
    using EHeapException::EHeapException;
    const char* ClassName() const override { return "EOutOfMemory"; }
};

// A failed output statement, with the platform's code or 105 when standard
// output could not be opened.
class EInOutError final : public Exception {
public:
    EInOutError(std::int32_t code, std::string_view message, const void* address)
        : Exception(message, address), code_(code) {}
    const char* ClassName() const override { return "EInOutError"; }
    std::int32_t Code() const { return code_; }

private:
    std::int32_t code_;
};

// A fault reported by the platform, with its exception code.
class EExternal : public Exception {
public:
    EExternal(std::string_view message, const void* address, std::uint32_t code)
        : Exception(message, address), code_(code) {}
    const char* ClassName() const override { return "EExternal"; }
    std::uint32_t ExceptionCode() const { return code_; }

private:
    std::uint32_t code_;
};

// The rest of the tree: each class adds only its name. The arguments are
// class names, which take no parentheses.
// NOLINTBEGIN(bugprone-macro-parentheses)
#define TIKVAN_FAILURE_CLASS(Name, Base)                                   \
    class Name : public Base {                                             \
    public:                                                                \
        using Base::Base;                                                  \
        const char* ClassName() const override { return #Name; }           \
    };
// NOLINTEND(bugprone-macro-parentheses)
TIKVAN_FAILURE_CLASS(EInvalidPointer, EHeapException)
TIKVAN_FAILURE_CLASS(EExternalException, EExternal)
TIKVAN_FAILURE_CLASS(EIntError, EExternal)
TIKVAN_FAILURE_CLASS(EMathError, EExternal)
TIKVAN_FAILURE_CLASS(EAccessViolation, EExternal)
TIKVAN_FAILURE_CLASS(EPrivilege, EExternal)
TIKVAN_FAILURE_CLASS(EStackOverflow, EExternal)
TIKVAN_FAILURE_CLASS(EControlC, EExternal)
TIKVAN_FAILURE_CLASS(EDivByZero, EIntError)
TIKVAN_FAILURE_CLASS(ERangeError, EIntError)
TIKVAN_FAILURE_CLASS(EIntOverflow, EIntError)
TIKVAN_FAILURE_CLASS(EInvalidOp, EMathError)
TIKVAN_FAILURE_CLASS(EZeroDivide, EMathError)
TIKVAN_FAILURE_CLASS(EOverflow, EMathError)
TIKVAN_FAILURE_CLASS(EUnderflow, EMathError)
TIKVAN_FAILURE_CLASS(EInvalidCast, Exception)
TIKVAN_FAILURE_CLASS(EConvertError, Exception)  // a clock reading that is no valid date or time
TIKVAN_FAILURE_CLASS(EVariantError, Exception)
TIKVAN_FAILURE_CLASS(EAssertionFailed, Exception)
TIKVAN_FAILURE_CLASS(EAbstractError, Exception)
TIKVAN_FAILURE_CLASS(EIntfCastError, Exception)
TIKVAN_FAILURE_CLASS(ESafecallException, Exception)
#undef TIKVAN_FAILURE_CLASS

// Raise the conversion failures of the clock. A date and a time each have one
// message, whichever field was wrong.
[[noreturn]] void RaiseDateConversion();
[[noreturn]] void RaiseTimeConversion();

// The run-time error kinds of exhausted memory and the platform's faults: 1
// exhausted memory, 2 an invalid pointer, 3..24 the arithmetic, access,
// variant and other faults. (Kind 0, a pending I/O code, is raised by the
// check that ends an output statement, with CreateIoFailure.)
enum class RunErrorKind : std::uint8_t {
    OutOfMemory = 1, InvalidPointer, DivByZero, RangeError, IntOverflow, InvalidOp, ZeroDivide, Overflow,
    Underflow, InvalidCast, AccessViolation, Privilege, ControlC, StackOverflow, VariantTypeCast, VariantOperation,
    VariantDispatch, VariantArrayCreate, VariantArgument, VariantBounds, AssertionFailed, ExternalException,
    IntfCast, SafecallException,
};

// The one place of the failure objects of faults and exhausted memory, so
// that making one needs no memory: such a failure ends the process, and the
// next object made here replaces the one before. No class of the tree is
// larger than EExternal, and none needs destroying.
alignas(EExternal) inline unsigned char madeFailure[sizeof(EExternal)];

// The object that `make` returns, made there and nowhere else: no copy of
// it takes stack, of which a stack overflow leaves little.
template <class Make>
const auto& MakeFailure(Make make) {
    using Failure = decltype(make());
    static_assert(sizeof(Failure) <= sizeof madeFailure && std::is_trivially_destructible_v<Failure>);
    return *new (madeFailure) Failure(make());
}

// The failure object of a run-time error kind at a code address, made by
// MakeFailure: an object of the kind's class with the kind's message.
const Exception& CreateRunError(RunErrorKind kind, const void* address, std::uint32_t exceptionCode = 0);

// The run-time error number of a kind, the exit status where no failure
// handling is in place.
int RunErrorNumber(RunErrorKind kind);

// The I/O code that the standard output channel records when a write fails,
// until the check that ends the statement raises it; 0 when none is pending.
extern std::int32_t PendingIoError;

// The pending I/O code, which it clears.
std::int32_t TakeIoError();

// The EInOutError of the pending I/O code, which it clears. Its message comes
// from the I/O table, or is "I/O エラー (code)".
EInOutError CreateIoFailure(const void* address);

}  // namespace tikvan
