// The failures that the program's services raise. Nothing in the program
// catches them: they end the process with status 1.
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

class Exception : public TObject {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* ClassName() const override { return "Exception"; }
    const std::string& Message() const { return message_; }

private:
    std::string message_;
};

// A failed output statement, with the platform's code or 105 when standard
// output could not be opened.
class EInOutError final : public Exception {
public:
    EInOutError(std::int32_t code, std::string message) : Exception(std::move(message)), code_(code) {}
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

}  // namespace tikvan
