// The entry of the process.
#include "app/driver.h"
#include "process/process.h"
#include "process/report.h"

// Every failure of the run, the last write of standard output included, is
// reported and ends with status 1.
int main() {
    tikvan::ConsoleFlag = true;
    tikvan::StartProcess();
    tikvan::RunGuarded(&tikvan::RunDriver);
}
