// The code pages as the POSIX body sees them: the process's OEM code page,
// and the conversions of text into the ANSI and OEM code pages. Internal to
// unix/.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/win32.h"

// The process's OEM code page, by its Win32 name; the ANSI one is GetACP.
UINT GetOEMCP();

namespace tikvan::posix {

// UTF-8 text in `codePage`, each character as WideCharToMultiByte(codePage,
// 0) gives it: best-fit replacements, "?" where the code page has nothing,
// "??" for a character beyond U+FFFF; code page 65001 gives UTF-8 again.
// A malformed sequence is read as U+FFFD, as Wine reads one. At most
// `capacity` bytes are written, whole characters only; gives their count.
std::size_t Utf8ToCodePage(std::string_view utf8, UINT codePage, char* out, std::size_t capacity);

// CharToOemA of text in code page `ansi` into code page `oem`, in place.
// The text is whole characters of `ansi`.
void AnsiToOem(char* text, std::size_t length, UINT ansi, UINT oem);

// Text that every codeset spells alike: converting it needs no codeset, and
// asking the C library for the codeset costs a start-up its locale's loading.
bool IsAscii(std::string_view text);

}  // namespace tikvan::posix
