// The end of the process: the single way out.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tikvan {

// The status the process ends with; 0 until something sets it.
extern std::int32_t ExitStatus;

// Sets ExitStatus, writes out standard output and checks it, then runs the
// end sequence. A failure of that last write raises EInOutError here, while
// failure handling is in place, and so ends with the report and status 1.
[[noreturn]] void ProcessEnd(std::int32_t status);

// The end sequence: the run-time error line if ErrorLocation is set, then
// standard output is closed (a failure there is not reported) and the
// process exits with ExitStatus.
[[noreturn]] void EndProcess();

// Where a run-time error struck while no failure handling was in place; the
// end sequence then writes its line to standard output.
extern const void* ErrorLocation;

// The last resort for a failure outside failure handling: ends the process
// with the run-time error `number` and its line.
[[noreturn]] void EndWithRunError(int number, const void* location);

// The 29 characters "Runtime error NNN at XXXXXXXX": the number
// right-aligned in three places, the location in eight hexadecimal digits.
inline constexpr std::size_t kRunErrorLineLength = 29;
void FormatRunErrorLine(int number, std::uintptr_t location, char (&line)[kRunErrorLineLength]);

}  // namespace tikvan
