// The outermost failure handler and the report it writes.
#pragma once

#include <string_view>

#include "process/failure.h"

namespace tikvan {

// Prepares what reporting needs before anything can fail: the object that
// stands for exhausted memory, and the handler of platform faults.
void PrepareFailureHandling();

// Takes failure handling away again, at the end of the process.
void RemoveFailureHandling();

// Runs `work`. A failure that leaves it is reported on standard error, after
// what standard output still holds, and the process ends with status 1.
void RunGuarded(void (*work)());

// True when the report puts "." after `message`: it is not empty and its
// last byte is not ".". A message ending in "。" gets one.
bool NeedsPeriod(std::string_view message);

// Writes out standard output and checks it, then writes the report of
// `failure` to standard error: its class, module and address on one line,
// its message on the next, and an empty line; in the OEM code page.
void ReportFailure(const Exception& failure);

}  // namespace tikvan
