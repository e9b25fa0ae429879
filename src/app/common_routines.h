#pragma once
// Opening documents and web pages with the program the system associates with them.
#include "app/startup.h"

#include <string>

namespace tw {

class ShellPort {
public:
    virtual ~ShellPort() = default;
    // Default verb, no parameters, no working folder; true when the shell accepted the request.
    virtual bool OpenDocument(const std::string& pathOrAddress) = 0;
};

inline constexpr const char* kHelpFileName = "Textwright.chm";
inline constexpr const char* kTutorialsFileName = "TextwrightTutors.chm";
inline constexpr const char* kProductHomePage = "https://www.kolvenmark.example/textwright/";
inline constexpr const char* kPhrasesPage = "https://www.kolvenmark.example/textwright/phrases/";
inline constexpr const char* kMakerHomePage = "https://www.kolvenmark.example/";

// A file that cannot be opened is not reported.
void OpenHelpFile(ShellPort& shell, const StartupGlobals& globals);
void OpenTutorialsFile(ShellPort& shell, const StartupGlobals& globals);

} // namespace tw
