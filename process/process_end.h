// The end of the process: the single way out.
#pragma once

#include <cstdint>

namespace tikvan {

// The status the process ends with; 0 until something sets it.
extern std::int32_t ExitStatus;

// Sets ExitStatus and runs the end sequence: standard output is written out
// and closed, then the process exits. Never returns.
[[noreturn]] void ProcessEnd(std::int32_t status);

// The end sequence with ExitStatus as it stands.
[[noreturn]] void EndProcess();

}  // namespace tikvan
