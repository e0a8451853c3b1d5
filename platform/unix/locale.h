// Locale names of the POSIX body. Internal to unix/.
#pragma once

#include <string_view>

#include "platform/win32.h"

namespace tikvan::posix {

// The locale of a POSIX locale name such as ja_JP.UTF-8, de_DE@euro or ja;
// English (United States) for C, POSIX, an empty or an unknown name.
LCID LocaleOfName(std::string_view posixName);

}  // namespace tikvan::posix
