// The entry of the process.
#include "app/driver.h"
#include "process/process_end.h"
#include "timestamp/regional.h"

namespace {
constexpr int kFailureStatus = 1;
}

// The regional settings are complete before the clock is read or an argument
// is looked at. A failure that reaches this point ends the process with
// status 1, after what standard output already holds has been written.
int main() {
    tikvan::LoadRegionalSettings();
    try {
        tikvan::RunDriver();
    } catch (...) {
        tikvan::ProcessEnd(kFailureStatus);
    }
    tikvan::EndProcess();
}
