// Prints the regional settings that start-up loads for every locale id of
// the POSIX build's table, one line each: the locale id, the date and time
// separator bytes, the far-east flag and the lead-byte set. The POSIX build
// and tikvan.exe under Wine must print the same lines.
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
        // The locales without a numeric id share one id, which stands for the
        // locale of the environment; the /DTN sweep of the parity suite
        // covers them, one Wine process each.
        if (locale == 0x0C00) continue;
        if (!SetThreadLocale(locale)) {
            std::printf("%04lX not set\n", static_cast<unsigned long>(locale));
            continue;
        }
        tikvan::LoadRegionalSettings();
        const tikvan::RegionalSettings& regional = tikvan::Regional();
        std::printf("%04lX %02X %02X %d", static_cast<unsigned long>(locale),
                    static_cast<unsigned char>(regional.dateSeparator),
                    static_cast<unsigned char>(regional.timeSeparator), regional.farEast ? 1 : 0);
        for (unsigned byte = 0; byte < 256; ++byte) {
            if (regional.leadBytes.Has(static_cast<unsigned char>(byte))) std::printf(" %02X", byte);
        }
        std::printf("\n");
    }
    return 0;
}
