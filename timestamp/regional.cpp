#include "timestamp/regional.h"

namespace tikvan {

namespace {
RegionalSettings settings;
}

// Until the locale is consulted the defaults stand: "/" and ":", and no
// double-byte text.
void LoadRegionalSettings() { settings = RegionalSettings{}; }

const RegionalSettings& Regional() { return settings; }

}  // namespace tikvan
