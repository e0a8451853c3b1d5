// The regional values that the program's text handling follows.
#pragma once

#include "base/lead_bytes.h"

namespace tikvan {

// Filled once at start-up, read-only afterwards. The far-east flag is on
// exactly when the lead-byte set is not empty. A separator byte of zero
// means that no separator is written.
struct RegionalSettings {
    CharacterSet characters;
    char dateSeparator = '/';
    char timeSeparator = ':';
};

// Fills the process's record from the thread's locale.
void LoadRegionalSettings();

// The process's record.
const RegionalSettings& Regional();

}  // namespace tikvan
