// The entry of the process.
#include <new>

#include "app/driver.h"
#include "process/failure.h"
#include "process/process_end.h"
#include "process/report.h"
#include "timestamp/regional.h"

namespace {
// The run-time error number of a failure that no handler reports.
constexpr int kUncaughtError = 217;
}  // namespace

// Start-up prepares failure handling and the regional settings before the
// clock is read or an argument is looked at; a failure before failure
// handling is in place ends with a run-time error line. Every failure of the
// run, the last write of standard output included, is reported and ends
// with status 1.
int main() {
    try {
        tikvan::PrepareFailureHandling();
        tikvan::LoadRegionalSettings();
    } catch (const std::bad_alloc&) {
        tikvan::EndWithRunError(tikvan::RunErrorNumber(tikvan::RunErrorKind::OutOfMemory), __builtin_return_address(0));
    } catch (...) {
        tikvan::EndWithRunError(kUncaughtError, __builtin_return_address(0));
    }
    tikvan::RunGuarded([] {
        tikvan::RunDriver();
        tikvan::ProcessEnd(tikvan::ExitStatus);
    });
    tikvan::EndProcess();
}
