#include "process/process_end.h"

#include <cstdlib>
#include <new>

#include "console/channel.h"
#include "platform/win32.h"
#include "process/failure.h"
#include "process/report.h"
#include "timestamp/regional.h"

namespace tikvan {

std::int32_t ExitStatus = 0;
bool ConsoleFlag = false;
const void* ErrorLocation = nullptr;

namespace {

bool coreLayer = false;
bool utilityLayer = false;

// The run-time error number of a failure that no handler reports.
constexpr int kUncaughtError = 217;

// Memory set aside at start-up for raising and reporting exhausted memory:
// raising any failure needs a little memory for the failure in flight, and
// when none is left the C++ run-time can only abort.
constexpr std::size_t kMemoryReserve = 16 * 1024;
void* memoryReserve = nullptr;

// Called by operator new when memory is exhausted. The first time, the
// reserve goes back to the heap and std::bad_alloc is raised, which ends in
// the out-of-memory report (or, during start-up, run-time error 203). If
// memory runs out again while that failure is raised or reported, the
// process ends at once with run-time error 203.
void OnMemoryExhausted() {
    if (memoryReserve != nullptr) {
        std::free(memoryReserve);
        memoryReserve = nullptr;
        throw std::bad_alloc();
    }
    EndWithRunError(RunErrorNumber(RunErrorKind::OutOfMemory), __builtin_return_address(0));
}

}  // namespace

void StartProcess() {
    coreLayer = true;
    memoryReserve = std::malloc(kMemoryReserve);
    if (memoryReserve == nullptr) {
        EndWithRunError(RunErrorNumber(RunErrorKind::OutOfMemory), __builtin_return_address(0));
    }
    std::set_new_handler(&OnMemoryExhausted);
    try {
        PrepareFailureHandling();
        LoadRegionalSettings();
    } catch (const std::bad_alloc&) {
        EndWithRunError(RunErrorNumber(RunErrorKind::OutOfMemory), __builtin_return_address(0));
    } catch (...) {
        EndWithRunError(kUncaughtError, __builtin_return_address(0));
    }
    utilityLayer = true;
}

void FormatRunErrorLine(int number, std::uintptr_t location, char (&line)[kRunErrorLineLength]) {
    constexpr char kTemplate[] = "Runtime error     at 00000000";
    static_assert(sizeof kTemplate - 1 == kRunErrorLineLength);
    for (std::size_t i = 0; i < kRunErrorLineLength; ++i) line[i] = kTemplate[i];
    unsigned value = static_cast<unsigned>(number) % 1000;
    std::size_t at = 16;  // the last of the three places after "Runtime error "
    do {
        line[at--] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    for (std::size_t i = 0; i < 8; ++i) line[28 - i] = "0123456789ABCDEF"[(location >> (4 * i)) & 0xF];
}

void EndWithRunError(int number, const void* location) {
    ExitStatus = number;
    ErrorLocation = location;
    EndProcess();
}

void ProcessEnd(std::int32_t status) {
    ExitStatus = status;
    WriteOut();
    CheckIo();
    EndProcess();
}

void EndProcess() {
    if (ErrorLocation != nullptr) {
        // What standard output holds goes first; the line is written
        // whatever became of that.
        WriteOut();
        TakeIoError();
        char line[kRunErrorLineLength];
        FormatRunErrorLine(ExitStatus, reinterpret_cast<std::uintptr_t>(ErrorLocation), line);
        HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
        DWORD written = 0;
        WriteFile(output, line, sizeof line, &written, nullptr);
        WriteFile(output, "\r\n", 2, &written, nullptr);
        ErrorLocation = nullptr;
    }
    if (utilityLayer) {
        utilityLayer = false;
        RemoveFailureHandling();
    }
    if (coreLayer) {
        coreLayer = false;
        CloseChannel();
    }
    ExitProcess(static_cast<UINT>(ExitStatus));
}

}  // namespace tikvan
