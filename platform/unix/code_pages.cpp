// Conversions of text into the ANSI and OEM code pages, as Wine converts,
// from the table in code_page_table.inc, which regenerate.sh writes from
// Wine's own answers. Only text outside ASCII ever reaches the table.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "platform/ascii.h"
#include "platform/unix/code_page.h"

namespace {

// Units first..last of a code page: a run maps them to consecutive codes
// from `value`, a list to the codes in kCodes from entry `value` on.
struct Segment {
    UINT codePage;
    std::uint16_t first;
    std::uint16_t last;
    std::uint32_t value;
    bool list;
};

constexpr Segment kSegments[] = {
#define TIKVAN_RUN(codePage, first, last, code) {codePage, first, last, code, false},
#define TIKVAN_LIST(codePage, first, last, index) {codePage, first, last, index, true},
#include "platform/unix/code_page_table.inc"
};

// Four hexadecimal digits per code.
constexpr char kCodes[] =
#define TIKVAN_CODES(text) text
#include "platform/unix/code_page_table.inc"
    ;

struct OemPair {
    UINT ansi;
    UINT oem;
    std::string_view bytes;  // the OEM bytes of ANSI 0x80 to 0xFF
};

constexpr OemPair kOemPairs[] = {
#define TIKVAN_TO_OEM(ansi, oem, bytes) {ansi, oem, bytes},
#include "platform/unix/code_page_table.inc"
};

constexpr bool Before(const Segment& a, const Segment& b) {
    return a.codePage != b.codePage ? a.codePage < b.codePage : a.first < b.first;
}

static_assert(std::is_sorted(std::begin(kSegments), std::end(kSegments), Before));
static_assert(std::all_of(std::begin(kSegments), std::end(kSegments), [](const Segment& segment) {
    return segment.first >= 0x80 && segment.first <= segment.last &&
           (!segment.list || std::size_t{segment.value + (segment.last - segment.first) + 1U} * 4 < sizeof kCodes);
}));
static_assert(std::all_of(std::begin(kOemPairs), std::end(kOemPairs), [](const OemPair& pair) {
    return pair.bytes.size() == 0x80;
}));

constexpr char32_t kReplacement = 0xFFFD;

// The segments of one code page.
struct CodePageSegments {
    const Segment* first;
    const Segment* last;
};

CodePageSegments SegmentsOf(UINT codePage) {
    const auto range = std::equal_range(std::begin(kSegments), std::end(kSegments), Segment{codePage, 0, 0, 0, false},
                                        [](const Segment& a, const Segment& b) { return a.codePage < b.codePage; });
    return {range.first, range.second};
}

// The code of a UTF-16 unit outside ASCII among the code page's segments;
// '?' where the code page has none.
unsigned CodeOf(CodePageSegments segments, std::uint16_t unit) {
    const auto* after = std::upper_bound(segments.first, segments.last, unit,
                                         [](std::uint16_t wanted, const Segment& segment) { return wanted < segment.first; });
    if (after == segments.first) return '?';
    const Segment& segment = *(after - 1);
    if (unit > segment.last) return '?';
    const unsigned offset = unit - segment.first;
    if (!segment.list) return segment.value + offset;
    return tikvan::HexNumber({kCodes + std::size_t{segment.value + offset} * 4, 4});
}

// The next character of UTF-8 text, U+FFFD for a malformed sequence, read as
// Wine reads it: a lead byte takes the continuation bytes that follow it, as
// many as it announces; a sequence cut short by another byte or by the end
// is one U+FFFD, and the byte that cut it starts the next character. The
// first continuation byte is taken before the sequence is judged overlong, a
// surrogate or beyond U+10FFFF, and goes into its U+FFFD.
char32_t NextCharacter(const unsigned char*& at, const unsigned char* end) {
    const unsigned lead = *at++;
    if (lead < 0x80) return lead;
    int more = 0;
    char32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        more = 1;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        more = 2;
        value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        more = 3;
        value = lead & 0x07;
    } else {
        return kReplacement;
    }
    for (int taken = 0; taken < more; ++taken) {
        if (at == end || (*at & 0xC0) != 0x80) return kReplacement;
        value = value << 6 | (*at++ & 0x3F);
        if (taken > 0) continue;
        const bool overlong = (more == 2 && value < 0x20) || (more == 3 && value < 0x10);
        const bool surrogate = more == 2 && value >= 0x360 && value < 0x380;
        const bool beyond = more == 3 && value >= 0x110;
        if (overlong || surrogate || beyond) return kReplacement;
    }
    return value;
}

// The bytes of one character in the code page, at most four.
std::size_t Encode(char32_t character, UINT codePage, CodePageSegments segments, char* bytes) {
    if (character < 0x80) {
        bytes[0] = static_cast<char>(character);
        return 1;
    }
    if (codePage == CP_UTF8) {
        if (character < 0x800) {
            bytes[0] = static_cast<char>(0xC0 | character >> 6);
            bytes[1] = static_cast<char>(0x80 | (character & 0x3F));
            return 2;
        }
        if (character < 0x10000) {
            bytes[0] = static_cast<char>(0xE0 | character >> 12);
            bytes[1] = static_cast<char>(0x80 | (character >> 6 & 0x3F));
            bytes[2] = static_cast<char>(0x80 | (character & 0x3F));
            return 3;
        }
        bytes[0] = static_cast<char>(0xF0 | character >> 18);
        bytes[1] = static_cast<char>(0x80 | (character >> 12 & 0x3F));
        bytes[2] = static_cast<char>(0x80 | (character >> 6 & 0x3F));
        bytes[3] = static_cast<char>(0x80 | (character & 0x3F));
        return 4;
    }
    // Beyond U+FFFF a character is two surrogate units, and no code page
    // holds a surrogate.
    if (character >= 0x10000) {
        bytes[0] = bytes[1] = '?';
        return 2;
    }
    const unsigned code = CodeOf(segments, static_cast<std::uint16_t>(character));
    if (code < 0x100) {
        bytes[0] = static_cast<char>(code);
        return 1;
    }
    bytes[0] = static_cast<char>(code >> 8);
    bytes[1] = static_cast<char>(code & 0xFF);
    return 2;
}

template <typename Put>
void Convert(std::string_view utf8, UINT codePage, Put put) {
    const auto* at = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto* const end = at + utf8.size();
    const CodePageSegments segments = SegmentsOf(codePage);
    while (at != end) {
        char bytes[4];
        const std::size_t length = Encode(NextCharacter(at, end), codePage, segments, bytes);
        if (!put(bytes, length)) return;
    }
}

}  // namespace

namespace tikvan::posix {

bool IsAscii(std::string_view text) {
    return std::ranges::all_of(text, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::size_t Utf8ToCodePage(std::string_view utf8, UINT codePage, char* out, std::size_t capacity) {
    std::size_t written = 0;
    Convert(utf8, codePage, [&](const char* bytes, std::size_t length) {
        if (capacity - written < length) return false;
        std::memcpy(out + written, bytes, length);
        written += length;
        return true;
    });
    return written;
}

// A pair without a table leaves the text as it is: a double-byte code page,
// UTF-8 and the single-byte code pages 874 and 1258 are their own OEM code
// page.
void AnsiToOem(char* text, std::size_t length, UINT ansi, UINT oem) {
    for (const OemPair& pair : kOemPairs) {
        if (pair.ansi != ansi || pair.oem != oem) continue;
        for (std::size_t i = 0; i < length; ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            if (byte >= 0x80) text[i] = pair.bytes[byte - 0x80];
        }
        return;
    }
}

}  // namespace tikvan::posix
