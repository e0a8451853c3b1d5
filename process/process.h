// The process's lifecycle, on top of everything else: start-up, the guarded
// run, the end (the single way out) and the last-resort run-time error line.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tikvan {

// The status the process ends with; 0 until something sets it.
extern std::int32_t ExitStatus;

// Set by the entry as its very first action: reports go to the standard
// handles, never to a window. This program always sets it.
extern bool ConsoleFlag;

// Where a run-time error struck while no failure handling was in place; the
// end sequence then writes its line to standard output.
extern const void* ErrorLocation;

// The start-up before the driver's own work, each layer recorded as it
// runs so that the end sequence undoes exactly those: the core layer (the
// standard output channel, closed until its first write), then the utility
// layer (failure handling and the regional settings). A failure before
// failure handling is in place ends with a run-time error line.
void StartProcess();

// Runs `work`. A failure that leaves it is reported on standard error, after
// what standard output still holds, and the process ends with status 1.
void RunGuarded(void (*work)());

// Sets ExitStatus, writes out standard output and checks it, then runs the
// end sequence. A failure of that last write raises EInOutError here, while
// failure handling is in place, and so ends with the report and status 1.
[[noreturn]] void ProcessEnd(std::int32_t status);

// The end sequence: the run-time error line if ErrorLocation is set; the
// layers that started, in reverse: failure handling removed, standard
// output closed (a failure there is not reported); then the process exits
// with ExitStatus.
[[noreturn]] void RunEndSequence();

// The last resort for a failure outside failure handling: ends the process
// with the run-time error `number` and its line.
[[noreturn]] void EndWithRunError(int number, const void* location);

// The 29 characters "Runtime error NNN at XXXXXXXX": the number
// right-aligned in three places, the location in eight hexadecimal digits.
inline constexpr std::size_t kRunErrorLineLength = 29;
void FormatRunErrorLine(int number, std::uintptr_t location, char (&line)[kRunErrorLineLength]);

}  // namespace tikvan
