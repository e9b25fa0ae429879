#pragma once
// Where the hook library is loaded from: always a full path, so that neither the current folder
// nor the search path can supply a planted copy.
#include <string>

namespace tw {

// A name without a drive or a leading separator is taken relative to programFolder.
std::string HookLibraryPath(const std::string& programFolder, const std::string& name);

} // namespace tw
