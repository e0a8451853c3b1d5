// The ANSI code page as the POSIX body sees it: which bytes begin a
// double-byte character. Internal to unix/.
#pragma once

namespace tikvan::posix {

// True when `byte` is a lead byte of the process's ANSI code page; never
// for ASCII.
bool IsAnsiLeadByte(unsigned char byte);

}  // namespace tikvan::posix
