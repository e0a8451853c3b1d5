// The command's decision: which timestamp pattern, the help screen, or a
// usage error, from the arguments alone.
#pragma once

#include <string_view>

#include "args/arguments.h"
#include "base/lead_bytes.h"

namespace tikvan {

enum class Action { Timestamp, Help, UsageError };

struct Plan {
    Action action;
    std::string_view pattern;  // for Action::Timestamp
};

// What the command does for these arguments: the prefix pass (every argument
// starts with "/") and, when it passes, the letter pass over the switch texts
// ("?", "D", "N", "T"). A usage error wins over help; help wins over any
// timestamp; with no arguments the date, the time and a line end are printed.
Plan PlanOutput(const ArgumentList& arguments, const CharacterSet& characters);

// The whole run: reads the clock, then the arguments, and writes the
// timestamp or the usage screen. Ends the process with 255 on a usage error;
// returns normally otherwise.
void RunDriver();

}  // namespace tikvan
