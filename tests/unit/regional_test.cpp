// A process loads its regional settings once: tests/CMakeLists.txt runs this case once per locale
// of its table, with the expected line in TIKVAN_REGIONAL; without it the case is skipped, not passed.
#include <doctest/doctest.h>

#include <cstdlib>
#include <string>

#include "timestamp/regional.h"

TEST_CASE("regional settings of the process's locale" * doctest::skip(std::getenv("TIKVAN_REGIONAL") == nullptr)) {
    const char* expected = std::getenv("TIKVAN_REGIONAL");
    REQUIRE(expected != nullptr);
    tikvan::LoadRegionalSettings();
    const tikvan::RegionalSettings& settings = tikvan::Regional();
    const auto lead = [&](unsigned b) { return b < 256 && settings.characters.leadBytes.Has(static_cast<char>(b)); };
    std::string line = settings.characters.FarEast() ? "far east" : "single";
    constexpr char kHex[] = "0123456789ABCDEF";
    for (unsigned low = 0; low < 256; ++low) {
        if (!lead(low) || (low > 0 && lead(low - 1))) continue;
        unsigned high = low;
        while (lead(high + 1)) ++high;
        line += {' ', kHex[low >> 4], kHex[low & 15], '-', kHex[high >> 4], kHex[high & 15]};
    }
    line += {' ', settings.dateSeparator, settings.timeSeparator};
    CHECK(line == std::string(expected));
}
