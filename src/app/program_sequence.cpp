#include "app/program_sequence.h"

#include "app/error_report.h"
#include "app/startup.h"

namespace tw {

int RunProgram(ProgramHost& host, const std::vector<std::string>& parameters) {
    // Any other failure to create the mutex is ignored: better two instances than none.
    if (host.CreateInstanceMutex(kInstanceMutexName) == MutexResult::AlreadyExists) {
        return 0;
    }
    host.RegisterCursors();
    host.InitializeApplication(kApplicationTitle);
    host.CreateWindows();
    if (IsHiddenStart(parameters)) {
        host.CloseMainWindow();
    } else {
        host.ShowMainWindowOnStart();
    }
    return host.RunMessageLoop();
}

} // namespace tw
