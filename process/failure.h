// The failures that the program's services raise. Nothing in the program
// catches them: the outermost handler reports them and ends the process with
// status 1.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace tikvan {

class TObject {
public:
    virtual ~TObject() = default;
    virtual const char* ClassName() const = 0;
};

// A failure: its message, in the ANSI code page, and the code address where
// it was raised.
class Exception : public TObject {
public:
    Exception(std::string message, const void* address) : message_(std::move(message)), address_(address) {}
    const char* ClassName() const override { return "Exception"; }
    const std::string& Message() const { return message_; }
    const void* Address() const { return address_; }

private:
    std::string message_;
    const void* address_;
};

class EHeapException : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const override { return "EHeapException"; }
};

// Exhausted memory. Its one object is made at start-up, so that reporting it
// needs no memory.
class EOutOfMemory final : public EHeapException {
public:
    using EHeapException::EHeapException;
    const char* ClassName() const override { return "EOutOfMemory"; }
};

// A failed output statement, with the platform's code or 105 when standard
// output could not be opened.
class EInOutError final : public Exception {
public:
    EInOutError(std::int32_t code, std::string message, const void* address)
        : Exception(std::move(message), address), code_(code) {}
    const char* ClassName() const override { return "EInOutError"; }
    std::int32_t Code() const { return code_; }

private:
    std::int32_t code_;
};

// A clock reading that is not a valid date or time of day.
class EConvertError final : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const override { return "EConvertError"; }
};

// Raise the conversion failures of the clock. A date and a time each have one
// message, whichever field was wrong.
[[noreturn]] void RaiseDateConversion();
[[noreturn]] void RaiseTimeConversion();

// The EInOutError of the pending I/O code, which it clears. Its message comes
// from the I/O table, or is "I/O エラー (code)".
EInOutError CreateIoFailure(const void* address);

}  // namespace tikvan
