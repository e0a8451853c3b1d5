// The process's lifecycle, on top of everything else: start-up, the guarded
// run, the end (the single way out) and the last-resort run-time error line.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tikvan {

// The start-up before the driver's own work: the core layer (the standard
// output channel, closed until its first write) needs no step; the utility
// layer sets memory aside for reporting exhausted memory, installs failure
// handling and loads the regional settings. If that memory cannot be had,
// the process ends with run-time error 203 and its line; a failure after it
// (memory that runs out while the system loads its locale data) is reported
// as RunGuarded reports one.
void StartProcess();

// Runs `work`, then ends the process as ProcessEnd does with the status so
// far (0). A failure that leaves `work` or that last write-out is reported on
// standard error, after what standard output still holds, and the process
// ends with status 1.
[[noreturn]] void RunGuarded(void (*work)());

// Writes out standard output and checks it, then runs the end sequence: the
// run-time error line if one is due; failure handling removed; the exit with
// `status`. Every way into the end sequence has written standard output out
// already. A failure of that write-out raises EInOutError here,
// while failure handling is in place, and so ends with the report and
// status 1.
[[noreturn]] void ProcessEnd(std::int32_t status);

// The last resort for a failure outside failure handling: ends the process
// with the run-time error `number`, after its line on standard output.
[[noreturn]] void EndWithRunError(int number, const void* location);

// The 29 characters "Runtime error NNN at XXXXXXXX": the number
// right-aligned in three places, the location in eight hexadecimal digits.
inline constexpr std::size_t kRunErrorLineLength = 29;
void FormatRunErrorLine(int number, std::uintptr_t location, char (&line)[kRunErrorLineLength]);

}  // namespace tikvan
