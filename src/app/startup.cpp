#include "app/startup.h"

#include "app/settings.h"

namespace tw {

StartupGlobals MakeStartupGlobals(const std::string& programPath) {
    StartupGlobals g;
    g.ProgramPath = programPath;
    const auto cut = programPath.find_last_of("\\/");
    const char sep = cut == std::string::npos ? '\\' : programPath[cut];
    g.ProgramFolder = cut == std::string::npos ? std::string() : programPath.substr(0, cut);
    g.LibraryRoot = g.ProgramFolder + sep + "Replies" + sep;
    return g;
}

bool IsHiddenStart(const std::vector<std::string>& parameters) {
    return !parameters.empty() && parameters.front() == kHiddenSwitch;
}

} // namespace tw
