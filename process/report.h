// The failure report: the two lines and the empty line that a failure
// leaves on standard error. It only writes; ending the process is the
// lifecycle's.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/failure.h"

namespace tikvan {

// Set by the entry as its very first action: every report, the failure
// report and the run-time error line, takes its console form, written to
// the standard handles. This program always sets it and has no other form.
extern bool ConsoleFlag;

// The standard handle a report line goes to: the run-time error line to
// standard output, the failure report to standard error.
enum class ReportStream : bool { Output, Error };

// A report's text and CR LF, written to `stream` when ConsoleFlag is set.
// The results of the writes are ignored.
void WriteReportLine(ReportStream stream, std::string_view text);

// True when the report puts "." after `message`: it is not empty and its
// last byte is not ".". A message ending in "。" gets one.
bool NeedsPeriod(std::string_view message);

// The file name of the module that holds `address`, and the address
// relative to that module; the program's own name and the address less its
// header size when no module holds it. `inModule` tells which. The name is
// a view of one static buffer, which the next call fills anew.
std::string_view ModuleOf(const void* address, std::uintptr_t& relative, bool* inModule = nullptr);

// Writes out standard output and checks it, then writes the report of
// `failure` to standard error: its class, module and address on one line,
// its message on the next, and an empty line; in the OEM code page. A
// failure of that write-out is raised here, for the caller to report
// instead.
void ReportFailure(const Exception& failure);

// Writes the report of `failure` to standard error, and nothing else: the
// part of ReportFailure that raises nothing and needs no memory.
void WriteReport(const Exception& failure);

}  // namespace tikvan
