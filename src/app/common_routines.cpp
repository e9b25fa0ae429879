#include "app/common_routines.h"

namespace tw {

namespace {

std::string BesideProgram(const StartupGlobals& globals, const char* fileName) {
    const char sep = globals.LibraryRoot.empty() ? '\\' : globals.LibraryRoot.back();
    return globals.ProgramFolder + sep + fileName;
}

} // namespace

void OpenHelpFile(ShellPort& shell, const StartupGlobals& globals) {
    shell.OpenDocument(BesideProgram(globals, kHelpFileName));
}

void OpenTutorialsFile(ShellPort& shell, const StartupGlobals& globals) {
    shell.OpenDocument(BesideProgram(globals, kTutorialsFileName));
}

} // namespace tw
