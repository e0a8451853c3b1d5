// The usage screen: the command's only help and only error text.
#pragma once

#include <array>
#include <string_view>

namespace tikvan {

// The 22 lines, code page 932 bytes, each written with CR LF after it.
extern const std::array<std::string_view, 22> kUsageLines;

// Writes the screen to standard output, one write-line statement a line.
void WriteUsageScreen();

}  // namespace tikvan
