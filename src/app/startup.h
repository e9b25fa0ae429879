#pragma once
// What the program knows about itself from its command line, fixed before any window exists.
#include <string>
#include <vector>

namespace tw {

struct StartupGlobals {
    std::string ProgramFolder; // without a trailing separator
    std::string LibraryRoot;   // ProgramFolder + "\Replies\", with a trailing separator
    std::string ProgramPath;   // the full path of the program file
    // The user's own folder for what the program keeps beside its settings (the startup index
    // of the library); empty: nothing is kept.
    std::string DataFolder;
};

// The separator is the one the path itself uses, so the same rule serves Windows paths and the
// native tests.
StartupGlobals MakeStartupGlobals(const std::string& programPath);

// Only the first parameter counts, compared exactly (letter case matters).
bool IsHiddenStart(const std::vector<std::string>& parameters);

} // namespace tw
