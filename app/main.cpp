// The entry of the process.
#include "app/driver.h"
#include "process/process_end.h"
#include "process/report.h"
#include "timestamp/regional.h"

// Start-up prepares failure handling and the regional settings before the
// clock is read or an argument is looked at. Every failure of the run, the
// last write of standard output included, is reported and ends with
// status 1.
int main() {
    tikvan::PrepareFailureHandling();
    tikvan::LoadRegionalSettings();
    tikvan::RunGuarded([] {
        tikvan::RunDriver();
        tikvan::ProcessEnd(tikvan::ExitStatus);
    });
    tikvan::EndProcess();
}
