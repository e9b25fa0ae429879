#pragma once
// The order in which the program starts. The Win32 entry point implements the host; tests record
// the calls.
#include <string>
#include <vector>

namespace tw {

inline constexpr const char* kInstanceMutexName = "Textwright2Mutex";

enum class MutexResult { Created, AlreadyExists, Failed };

class ProgramHost {
public:
    virtual ~ProgramHost() = default;
    // The handle stays open until the process ends.
    virtual MutexResult CreateInstanceMutex(const std::string& name) = 0;
    // Cursor 101 from the program's resource, copies of the standard no-drop and drag cursors.
    virtual void RegisterCursors() = 0;
    virtual void InitializeApplication(const std::string& title) = 0;
    // Main window first (its FormCreate runs here), then options, about and insertions dialogs.
    virtual void CreateWindows() = 0;
    virtual void ShowMainWindowOnStart() = 0;
    // Goes through FormClose: the window hides and the tray icon shows.
    virtual void CloseMainWindow() = 0;
    virtual int RunMessageLoop() = 0;
};

// Returns the process exit code. A second instance ends with 0 and touches nothing.
int RunProgram(ProgramHost& host, const std::vector<std::string>& parameters);

} // namespace tw
