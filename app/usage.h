// The usage screen: the command's only help and only error text.
#pragma once

namespace tikvan {

// Writes the screen's 22 lines, code page 932 bytes, to standard output, one
// write-line statement a line.
void UsageScreen();

}  // namespace tikvan
