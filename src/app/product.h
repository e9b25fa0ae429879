#pragma once
// The product's name and version as the program shows them.
#include "textwright_version.h"

namespace tw {

inline constexpr const char* kApplicationTitle = "Textwright";
inline constexpr const char* kProductVersion = TW_VERSION_STRING;

} // namespace tw
