#include "process/report.h"

#include <cstring>
#include <exception>
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

// The file name of the module that holds `address`, and the address
// relative to it; the program's own name and the address less its header
// size when no module holds it.
std::string_view ModuleOf(const void* address, char (&path)[MAX_PATH + 1], std::uintptr_t& relative) {
    MEMORY_BASIC_INFORMATION region{};
    DWORD length = 0;
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    if (VirtualQuery(address, &region, sizeof region) != 0 && region.State == MEM_COMMIT) {
        length = GetModuleFileNameA(static_cast<HMODULE>(region.AllocationBase), path, MAX_PATH);
    }
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

}  // namespace

bool NeedsPeriod(std::string_view message) { return !message.empty() && message.back() != '.'; }

void PrepareFailureHandling() { outOfMemory.emplace(LoadMessage(kOutOfMemory), nullptr); }

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
    char format[kFormatCapacity];
    const int formatLength = LoadStringA(nullptr, kReportFormat, format, sizeof format);
    char path[MAX_PATH + 1];
    std::uintptr_t relative = 0;
    const std::string_view module = ModuleOf(failure.Address(), path, relative);
    const std::string& message = failure.Message();
    const MessageArgument arguments[] = {failure.ClassName(), module, static_cast<std::int64_t>(relative), std::string_view(message),
                                         NeedsPeriod(message) ? "." : ""};
    char text[kReportCapacity];
    ExpandMessage({format, formatLength > 0 ? static_cast<std::size_t>(formatLength) : 0}, arguments,
                  std::size(arguments), text, sizeof text);
    CharToOemA(text, text);
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    WriteFile(error, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
    WriteFile(error, "\r\n", 2, &written, nullptr);
}

}  // namespace tikvan
