#pragma once

#include "version.h"

#include <string_view>

namespace kodvik {

// The window's title, which also heads the program's own message boxes.
inline constexpr std::u16string_view title = u"Kodvik " KODVIK_VERSION;

} // namespace kodvik
