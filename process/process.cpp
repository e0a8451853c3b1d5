#include "process/process.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "base/digits.h"
#include "base/failure.h"
#include "console/channel.h"
#include "platform/win32.h"
#include "process/report.h"
#include "timestamp/regional.h"

namespace tikvan {

namespace {

// The status the process ends with; 0 until something sets it.
std::int32_t ExitStatus = 0;
// Whether a run-time error struck while no failure handling was in place,
// and where (an address of 0 is one too); the end sequence then writes its
// line to standard output.
bool RunErrorDue = false;
const void* ErrorLocation = nullptr;

constexpr int kFailureStatus = 1;

// The end sequence, which ProcessEnd describes. What standard output still
// holds goes first, whatever way led here; the run-time error line follows,
// whatever became of that write-out.
[[noreturn]] void RunEndSequence() {
    WriteOut();
    TakeIoError();
    if (RunErrorDue) {
        char line[kRunErrorLineLength];
        FormatRunErrorLine(ExitStatus, reinterpret_cast<std::uintptr_t>(ErrorLocation), line);
        WriteReportLine(ReportStream::Output, {line, sizeof line});
    }
    SetUnhandledExceptionFilter(nullptr);
    ExitProcess(static_cast<UINT>(ExitStatus));
}

// Memory set aside at start-up for raising and reporting exhausted memory:
// raising any failure needs a little memory for the failure in flight, and
// when none is left the C++ run-time can only abort. While it is set aside,
// failure handling is in place.
constexpr std::size_t kMemoryReserve = 16'384;
void* memoryReserve = nullptr;

// A run-time error of `kind` at `location`. Only exhausted memory is raised
// this way (the platform's faults become failures in the outermost handler):
// while failure handling is in place, the memory set aside goes back to the
// heap and std::bad_alloc is raised, which ends in the out-of-memory report.
// Otherwise (before start-up has set the memory aside, or when memory runs
// out again while that failure is raised or reported) the process ends with
// the kind's run-time error number and its line.
[[noreturn]] void RaiseRunError(RunErrorKind kind, const void* location) {
    if (kind == RunErrorKind::OutOfMemory && memoryReserve != nullptr) {
        std::free(memoryReserve);
        memoryReserve = nullptr;
        throw std::bad_alloc();
    }
    EndWithRunError(RunErrorNumber(kind), location);
}

// Called by operator new when memory is exhausted.
void OnMemoryExhausted() { RaiseRunError(RunErrorKind::OutOfMemory, __builtin_return_address(0)); }

// Reports the failure in flight.
void ReportInFlight() {
    try {
        throw;
    } catch (const Exception& failure) {
        ReportFailure(failure);
    } catch (const std::bad_alloc&) {
        ReportFailure(CreateRunError(RunErrorKind::OutOfMemory, nullptr));
    } catch (...) {
        // Of no failure class, it has no report; what standard output holds
        // is written out and checked all the same.
        WriteOut();
        CheckIo();
    }
}

// Reports the failure in flight. A failure while reporting it (standard
// output failing at its write-out) is reported instead; by then the channel
// is empty, so that report does not fail the same way.
void ReportCurrent() {
    try {
        ReportInFlight();
    } catch (...) {
        ReportCurrent();
    }
}

// Reports the failure in flight and ends the process with status 1.
[[noreturn]] void EndReported() {
    ReportCurrent();
    ExitStatus = kFailureStatus;
    RunEndSequence();
}

// Platform exception codes and the run-time error kinds they stand for.
constexpr struct {
    DWORD code;
    RunErrorKind kind;
} kFaultKinds[] = {
    {EXCEPTION_INT_DIVIDE_BY_ZERO, RunErrorKind::DivByZero},
    {EXCEPTION_ARRAY_BOUNDS_EXCEEDED, RunErrorKind::RangeError},
    {EXCEPTION_INT_OVERFLOW, RunErrorKind::IntOverflow},
    {EXCEPTION_FLT_INEXACT_RESULT, RunErrorKind::InvalidOp},
    {EXCEPTION_FLT_INVALID_OPERATION, RunErrorKind::InvalidOp},
    {EXCEPTION_FLT_STACK_CHECK, RunErrorKind::InvalidOp},
    {EXCEPTION_FLT_DIVIDE_BY_ZERO, RunErrorKind::ZeroDivide},
    {EXCEPTION_FLT_OVERFLOW, RunErrorKind::Overflow},
    {EXCEPTION_FLT_DENORMAL_OPERAND, RunErrorKind::Underflow},
    {EXCEPTION_FLT_UNDERFLOW, RunErrorKind::Underflow},
    {EXCEPTION_ACCESS_VIOLATION, RunErrorKind::AccessViolation},
    {EXCEPTION_PRIV_INSTRUCTION, RunErrorKind::Privilege},
    {CONTROL_C_EXIT, RunErrorKind::ControlC},
    {EXCEPTION_STACK_OVERFLOW, RunErrorKind::StackOverflow},
};

// Static, like the report's buffers: a fault is reported on what stack it
// leaves.
char accessText[kMessageCapacity];
char faultText[kMessageCapacity];

// An access violation names the fault address, the module that holds it,
// whether memory was read or written, and the address accessed.
const Exception& AccessViolation(const EXCEPTION_RECORD& record) {
    const std::string_view kind = LoadMessage(record.ExceptionInformation[0] == 0 ? kReadAccess : kWriteAccess);
    std::memcpy(accessText, kind.data(), kind.size());
    const std::string_view access(accessText, kind.size());
    std::uintptr_t relative = 0;
    bool inModule{};
    const std::string_view module = ModuleOf(record.ExceptionAddress, relative, &inModule);
    const auto fault = static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(record.ExceptionAddress));
    const auto accessed = static_cast<std::int64_t>(record.ExceptionInformation[1]);
    const MessageArgument arguments[] = {fault, module, access, accessed};
    const MessageArgument outside[] = {fault, access, accessed};
    const std::size_t length =
        inModule ? ExpandMessage(LoadMessage(kAccessViolationInModule), arguments, faultText, sizeof faultText)
                 : ExpandMessage(LoadMessage(kAccessViolationOutside), outside, faultText, sizeof faultText);
    return MakeFailure(
        [&] { return EAccessViolation({faultText, length}, record.ExceptionAddress, record.ExceptionCode); });
}

// The failure that a fault is reported as: the fault's own, unless what
// standard output still holds cannot be written out, which is reported
// instead, at this call. Nothing is raised.
[[gnu::noinline]] const Exception& FaultFailure(const EXCEPTION_RECORD& record, RunErrorKind kind) {
    WriteOut();
    const void* const at = __builtin_return_address(0);
    if (PendingIoError != 0) return MakeFailure([at] { return CreateIoFailure(at); });
    if (kind == RunErrorKind::AccessViolation && record.NumberParameters >= 2) return AccessViolation(record);
    return CreateRunError(kind, record.ExceptionAddress, record.ExceptionCode);
}

// The outermost handler of platform faults: the failure object of the
// fault, its report, and status 1. On the POSIX build it runs in a signal
// handler, where the fault may have struck while the allocator or the
// loader held its lock, so it raises nothing and asks for neither. A fault
// while it reports ends the process with the run-time error line of the
// fault's kind (255 for a code that has none).
LONG WINAPI ReportPlatformFault(EXCEPTION_POINTERS* fault) {
    static bool reporting = false;
    const EXCEPTION_RECORD& record = *fault->ExceptionRecord;
    RunErrorKind kind = RunErrorKind::ExternalException;
    for (const auto& row : kFaultKinds) {
        if (row.code == record.ExceptionCode) kind = row.kind;
    }
    if (reporting) {
        constexpr int kUnknownFault = 255;
        EndWithRunError(kind == RunErrorKind::ExternalException ? kUnknownFault : RunErrorNumber(kind),
                        record.ExceptionAddress);
    }
    reporting = true;
    WriteReport(FaultFailure(record, kind));
    ExitStatus = kFailureStatus;
    RunEndSequence();
}

}  // namespace

void StartProcess() {
    void* const reserve = std::malloc(kMemoryReserve);
    if (reserve == nullptr) RaiseRunError(RunErrorKind::OutOfMemory, __builtin_return_address(0));
    memoryReserve = reserve;
    std::set_new_handler(&OnMemoryExhausted);
    // Both may run out of memory where the system loads its locale data.
    try {
        SetUnhandledExceptionFilter(&ReportPlatformFault);
        LoadRegionalSettings();
    } catch (...) {
        EndReported();
    }
}

void RunGuarded(void (*work)()) {
    try {
        work();
        ProcessEnd(ExitStatus);
    } catch (...) {
        EndReported();
    }
}

void FormatRunErrorLine(int number, std::uintptr_t location, char (&line)[kRunErrorLineLength]) {
    constexpr char kTemplate[] = "Runtime error     at 00000000";
    static_assert(sizeof kTemplate - 1 == kRunErrorLineLength);
    constexpr std::size_t kNumberEnd = 17;   // after the three places that follow "Runtime error "
    constexpr std::size_t kLocationAt = 21;  // the eight zeros
    std::memcpy(line, kTemplate, kRunErrorLineLength);
    char digits[kMostDigits];
    const std::size_t count = WriteDigits(static_cast<unsigned>(number) % 1000, 10, 1, digits);
    std::memcpy(line + kNumberEnd - count, digits, count);
    WriteDigits(location & 0xFFFFFFFFU, 16, 8, line + kLocationAt);
}

void EndWithRunError(int number, const void* location) {
    ExitStatus = number;
    RunErrorDue = true;
    ErrorLocation = location;
    RunEndSequence();
}

void ProcessEnd(std::int32_t status) {
    ExitStatus = status;
    WriteOut();
    CheckIo();
    RunEndSequence();
}

}  // namespace tikvan
