// The lead-byte ranges of a code page as CPINFO::LeadByte holds them: pairs
// of a low and a high byte, at most MAX_LEADBYTES / 2 of them, ending at the
// first pair of zeros. Portable code only.
#pragma once

#include <cstddef>

#include "platform/win32.h"

namespace tikvan {

// Calls visit(low, high) for each range, in order; a range may be empty
// (high below low).
template <class Visit>
constexpr void ForEachLeadByteRange(const BYTE (&ranges)[MAX_LEADBYTES], Visit visit) {
    for (std::size_t at = 0; at + 1 < MAX_LEADBYTES; at += 2) {
        if (ranges[at] == 0 && ranges[at + 1] == 0) return;
        visit(ranges[at], ranges[at + 1]);
    }
}

}  // namespace tikvan
