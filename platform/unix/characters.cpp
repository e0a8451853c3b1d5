// IsDBCSLeadByteEx over the ANSI code page's lead bytes, the one code page
// the program asks about.
#include "platform/unix/code_page.h"
#include "platform/win32.h"

// True for a lead byte of the process's ANSI code page; never for ASCII.
BOOL IsDBCSLeadByteEx(UINT /*codePage*/, BYTE byte) { return byte >= 0x80 && tikvan::posix::IsAnsiLeadByte(byte); }
