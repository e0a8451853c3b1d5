// Prints, for every locale id of the POSIX build's table, the regional
// settings that start-up loads: the id, the date and time separator bytes,
// the far-east flag and the lead bytes. Both builds must print the same.
#include <cstdio>

#include "platform/win32.h"
#include "timestamp/regional.h"

namespace {

constexpr LCID kLocales[] = {
#define TIKVAN_LOCALE(id, ...) id,
#define TIKVAN_LOCALE_NAME(...)
#define TIKVAN_CODE_PAGE(...)
#include "platform/unix/locale_table.inc"
};

}  // namespace

int main() {
    for (LCID locale : kLocales) {
        // The shared id of the locales without one of their own stands for
        // the environment's locale; the /DTN sweep covers those.
        if (locale == 0x0C00) continue;
        std::printf("%04lX", static_cast<unsigned long>(locale));
        if (!SetThreadLocale(locale)) {
            std::printf(" not set\n");
            continue;
        }
        tikvan::LoadRegionalSettings();
        const tikvan::RegionalSettings& regional = tikvan::Regional();
        std::printf(" %02X %02X %d", static_cast<unsigned char>(regional.dateSeparator),
                    static_cast<unsigned char>(regional.timeSeparator), regional.farEast ? 1 : 0);
        for (unsigned byte = 0; byte < 256; ++byte) {
            if (regional.leadBytes.Has(static_cast<unsigned char>(byte))) std::printf(" %02X", byte);
        }
        std::printf("\n");
    }
    return 0;
}
