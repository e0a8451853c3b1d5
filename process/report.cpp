#include "process/report.h"

#include "console/channel.h"
#include "platform/win32.h"

namespace tikvan {

bool ConsoleFlag = false;

namespace {

constexpr std::size_t kFormatCapacity = 256;
constexpr std::uintptr_t kImageHeaderSize = 0x1000;

// The report's buffers are static, not on the stack: a stack overflow is
// reported on the little stack the platform leaves after it, which a few
// kilobytes of buffers would overrun, faulting again with no report.
char reportFormat[kFormatCapacity];
char reportText[kMessageCapacity];
// A module's path: at most MAX_PATH bytes and the zero that ends them.
char modulePath[MAX_PATH + 1];

}  // namespace

bool NeedsPeriod(std::string_view message) { return !message.empty() && message.back() != '.'; }

std::string_view ModuleOf(const void* address, std::uintptr_t& relative, bool* inModule) {
    MEMORY_BASIC_INFORMATION region{};
    DWORD length = 0;
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    if (VirtualQuery(address, &region, sizeof region) != 0 && region.State == MEM_COMMIT) {
        length = GetModuleFileNameA(static_cast<HMODULE>(region.AllocationBase), modulePath, sizeof modulePath);
    }
    if (inModule != nullptr) *inModule = length != 0;
    if (length != 0) {
        relative = at - reinterpret_cast<std::uintptr_t>(region.AllocationBase);
    } else {
        length = GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
        relative = at == 0 ? 0 : at - kImageHeaderSize;
    }
    // The path ends at its zero; with none at all (no name), it is empty.
    if (length == 0) modulePath[0] = 0;
    const char* name = modulePath;
    for (const char* c = modulePath; *c != 0; c = CharNextA(c)) {
        if (*c == '\\' || *c == '/') name = c + 1;
    }
    return name;
}

void ReportFailure(const Exception& failure) {
    WriteOut();
    CheckIo();
    WriteReport(failure);
}

void WriteReport(const Exception& failure) {
    const int formatLength = LoadStringA(nullptr, kReportFormat, reportFormat, sizeof reportFormat);
    std::uintptr_t relative = 0;
    const std::string_view module = ModuleOf(failure.Address(), relative);
    const std::string_view message = failure.Message();
    const MessageArgument arguments[] = {failure.ClassName(), module, static_cast<std::int64_t>(relative), message,
                                         NeedsPeriod(message) ? "." : ""};
    const std::size_t length = ExpandMessage({reportFormat, static_cast<std::size_t>(formatLength)}, arguments,
                                             reportText, sizeof reportText);
    CharToOemBuffA(reportText, reportText, static_cast<DWORD>(length));
    WriteReportLine(ReportStream::Error, {reportText, length});
}

void WriteReportLine(ReportStream stream, std::string_view text) {
    if (!ConsoleFlag) return;
    HANDLE handle = GetStdHandle(stream == ReportStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    DWORD written;  // not read: a report line is written once, whatever comes of it
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    WriteFile(handle, "\r\n", 2, &written, nullptr);
}

}  // namespace tikvan
