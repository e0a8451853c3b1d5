#include "process/report.h"

#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <string_view>

#include "console/channel.h"
#include "platform/win32.h"
#include "process/messages.h"
#include "process/process_end.h"

namespace tikvan {

namespace {

constexpr int kFailureStatus = 1;
constexpr std::size_t kReportCapacity = 1024;
constexpr std::size_t kFormatCapacity = 256;
constexpr std::uintptr_t kImageHeaderSize = 0x1000;

std::optional<EOutOfMemory> outOfMemory;

// The report's buffers are static, not on the stack: a stack overflow is
// reported on the little stack the platform leaves after it, which a few
// kilobytes of buffers would overrun, faulting again with no report.
char reportFormat[kFormatCapacity];
char reportText[kReportCapacity];
char faultText[kReportCapacity];
char modulePath[MAX_PATH + 1];

// The file name of the module that holds `address`, and the address
// relative to it; the program's own name and the address less its header
// size when no module holds it. `inModule` tells which.
std::string_view ModuleOf(const void* address, char (&path)[MAX_PATH + 1], std::uintptr_t& relative,
                          bool* inModule = nullptr) {
    MEMORY_BASIC_INFORMATION region{};
    DWORD length = 0;
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    if (VirtualQuery(address, &region, sizeof region) != 0 && region.State == MEM_COMMIT) {
        length = GetModuleFileNameA(static_cast<HMODULE>(region.AllocationBase), path, MAX_PATH);
    }
    if (inModule != nullptr) *inModule = length != 0;
    if (length != 0) {
        relative = at - reinterpret_cast<std::uintptr_t>(region.AllocationBase);
    } else {
        length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        relative = at == 0 ? 0 : at - kImageHeaderSize;
    }
    path[length < MAX_PATH ? length : MAX_PATH] = 0;
    const char* name = path;
    for (const char* c = path; *c != 0; c = CharNextA(c)) {
        if (*c == '\\' || *c == '/') name = c + 1;
    }
    return name;
}

// Reports the failure in flight. A failure while reporting it (standard
// output failing at its write-out) is reported instead.
void ReportCurrent() {
    std::exception_ptr current = std::current_exception();
    for (;;) {
        try {
            std::rethrow_exception(current);
        } catch (const Exception& failure) {
            try {
                ReportFailure(failure);
                return;
            } catch (...) {
                current = std::current_exception();
            }
        } catch (const std::bad_alloc&) {
            if (!outOfMemory) return;
            try {
                ReportFailure(*outOfMemory);
                return;
            } catch (...) {
                current = std::current_exception();
            }
        } catch (...) {
            return;
        }
    }
}

// Platform exception codes and the run-time error kinds they stand for.
constexpr struct {
    DWORD code;
    RunErrorKind kind;
} kFaultKinds[] = {
    {0xC0000094, RunErrorKind::DivByZero},    {0xC000008C, RunErrorKind::RangeError},
    {0xC0000095, RunErrorKind::IntOverflow},  {0xC000008F, RunErrorKind::InvalidOp},
    {0xC0000090, RunErrorKind::InvalidOp},    {0xC0000092, RunErrorKind::InvalidOp},
    {0xC000008E, RunErrorKind::ZeroDivide},   {0xC0000091, RunErrorKind::Overflow},
    {0xC000008D, RunErrorKind::Underflow},    {0xC0000093, RunErrorKind::Underflow},
    {0xC0000005, RunErrorKind::AccessViolation}, {0xC0000096, RunErrorKind::Privilege},
    {0xC000013A, RunErrorKind::ControlC},     {0xC00000FD, RunErrorKind::StackOverflow},
};

// An access violation names the fault address, the module that holds it,
// whether memory was read or written, and the address accessed.
std::unique_ptr<Exception> AccessViolation(const EXCEPTION_RECORD& record) {
    const std::string access = LoadMessage(record.ExceptionInformation[0] == 0 ? kReadAccess : kWriteAccess);
    std::uintptr_t relative = 0;
    bool inModule = false;
    const std::string_view module = ModuleOf(record.ExceptionAddress, modulePath, relative, &inModule);
    const auto fault = static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(record.ExceptionAddress));
    const auto accessed = static_cast<std::int64_t>(record.ExceptionInformation[1]);
    const MessageArgument arguments[] = {fault, module, std::string_view(access), accessed};
    const MessageArgument outside[] = {fault, std::string_view(access), accessed};
    const std::size_t length =
        inModule ? ExpandMessage(LoadMessage(kAccessViolationInModule), arguments, 4, faultText, sizeof faultText)
                 : ExpandMessage(LoadMessage(kAccessViolationOutside), outside, 3, faultText, sizeof faultText);
    return std::make_unique<EAccessViolation>(std::string(faultText, length), record.ExceptionAddress,
                                              record.ExceptionCode);
}

// The outermost handler of platform faults: the failure object of the
// fault, its report, and status 1.
LONG WINAPI ReportPlatformFault(EXCEPTION_POINTERS* fault) {
    const EXCEPTION_RECORD& record = *fault->ExceptionRecord;
    RunErrorKind kind = RunErrorKind::ExternalException;
    for (const auto& row : kFaultKinds) {
        if (row.code == record.ExceptionCode) kind = row.kind;
    }
    try {
        const std::unique_ptr<Exception> failure =
            kind == RunErrorKind::AccessViolation && record.NumberParameters >= 2
                ? AccessViolation(record)
                : CreateRunError(kind, record.ExceptionAddress, record.ExceptionCode);
        ReportFailure(*failure);
    } catch (...) {
        ReportCurrent();
    }
    ExitStatus = kFailureStatus;
    EndProcess();
}

}  // namespace

bool NeedsPeriod(std::string_view message) { return !message.empty() && message.back() != '.'; }

void PrepareFailureHandling() {
    outOfMemory.emplace(LoadMessage(kOutOfMemory), nullptr);
    SetUnhandledExceptionFilter(&ReportPlatformFault);
}

void RemoveFailureHandling() {
    SetUnhandledExceptionFilter(nullptr);
    outOfMemory.reset();
}

void RunGuarded(void (*work)()) {
    try {
        work();
    } catch (...) {
        ReportCurrent();
        ExitStatus = kFailureStatus;
        EndProcess();
    }
}

void ReportFailure(const Exception& failure) {
    WriteOut();
    CheckIo();
    const int formatLength = LoadStringA(nullptr, kReportFormat, reportFormat, sizeof reportFormat);
    std::uintptr_t relative = 0;
    const std::string_view module = ModuleOf(failure.Address(), modulePath, relative);
    const std::string& message = failure.Message();
    const MessageArgument arguments[] = {failure.ClassName(), module, static_cast<std::int64_t>(relative), std::string_view(message),
                                         NeedsPeriod(message) ? "." : ""};
    ExpandMessage({reportFormat, formatLength > 0 ? static_cast<std::size_t>(formatLength) : 0}, arguments,
                  std::size(arguments), reportText, sizeof reportText);
    CharToOemA(reportText, reportText);
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    WriteFile(error, reportText, static_cast<DWORD>(std::strlen(reportText)), &written, nullptr);
    WriteFile(error, "\r\n", 2, &written, nullptr);
}

}  // namespace tikvan
