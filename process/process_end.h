// The end of the process: the single way out.
#pragma once

#include <cstdint>

namespace tikvan {

// The status the process ends with; 0 until something sets it.
extern std::int32_t ExitStatus;

// Sets ExitStatus, writes out standard output and checks it, then runs the
// end sequence. A failure of that last write raises EInOutError here, while
// failure handling is in place, and so ends with the report and status 1.
[[noreturn]] void ProcessEnd(std::int32_t status);

// The end sequence: standard output is closed (a failure there is not
// reported) and the process exits with ExitStatus.
[[noreturn]] void EndProcess();

}  // namespace tikvan
