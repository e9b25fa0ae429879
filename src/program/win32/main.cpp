// The program's entry point: the start sequence over the real system.
#include "app/product.h"
#include "app/program_sequence.h"
#include "app/startup.h"
#include "app/win32/common_routines_win32.h"
#include "app/win32/cursors.h"
#include "app/win32/win32_registry.h"
#include "delivery/win32/delivery_trace.h"
#include "platform/win32/ansi_path.h"
#include "platform/win32/running_program.h"
#include "platform/win32/system_libraries.h"
#include "hooks/win32/process_hooks.h"
#include "ui/win32/system_hook_components.h"
#include "ui/win32/main_window.h"
#include "ui/win32/menu_keys.h"

#ifdef TW_DELIVERY_TRACE_BUILD
#include "delivery/win32/trace_file.h"
#endif

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace tw;
using namespace tw::win32;

std::vector<std::string> Parameters() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> params;
    for (int i = 1; args && i < count; ++i) {
        params.push_back(WideToAnsi(args[i]));
    }
    if (args) {
        LocalFree(args);
    }
    return params;
}

class Win32ProgramHost : public ProgramHost {
public:
    explicit Win32ProgramHost(StartupGlobals globals) : globals_(std::move(globals)) {}

    MutexResult CreateInstanceMutex(const std::string& name) override {
        // Kept open on purpose: the process's end releases it.
        HANDLE mutex = CreateMutexW(nullptr, FALSE, AnsiToWide(name).c_str());
        if (!mutex) {
            return MutexResult::Failed;
        }
        return GetLastError() == ERROR_ALREADY_EXISTS ? MutexResult::AlreadyExists
                                                      : MutexResult::Created;
    }

    void RegisterCursors() override { RegisterProgramCursors(GetModuleHandleW(nullptr)); }

    void InitializeApplication(const std::string&) override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
    }

    void CreateWindows() override {
        // The options dialog and the about box are the main window's own; the insertions
        // dialog comes after them.
        mainWindow_ = std::make_unique<MainWindow>(globals_, SystemPorts{.registry = registry_,
                                                                         .boxes = boxes_,
                                                                         .shell = shell_,
                                                                         .hooks = hooks_,
                                                                         .trace = trace_});
        if (mainWindow_->Create()) {
            mainWindow_->CreateInsertionsDialog();
        }
    }

    void ShowMainWindowOnStart() override {
        if (HWND w = MainHandle()) {
            ShowWindow(w, SW_SHOW);
            SetForegroundWindow(w);
        }
    }

    void CloseMainWindow() override {
        if (HWND w = MainHandle()) {
            SendMessageW(w, WM_CLOSE, 0, 0);
        }
    }

    int RunMessageLoop() override {
        MSG msg{};
        for (;;) {
            // Idle time: the queue has become empty.
            if (mainWindow_ && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
                mainWindow_->OnIdle();
            }
            if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
                break;
            }
            HWND main = MainHandle();
            if (menuKeys_.Intercept(msg, main)) {
                continue;
            }
            if (main && !mainWindow_->WantsKeysItself(msg.hwnd) &&
                TranslateAcceleratorW(main, mainWindow_->Accelerators(), &msg)) {
                continue;
            }
            // Tab and Shift+Tab move between the tree and the lists.
            if (main && IsDialogMessageW(main, &msg)) {
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        // The windows go after the loop: FormDestroy runs here.
        mainWindow_.reset();
        return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
    }

private:
    HWND MainHandle() const { return mainWindow_ ? mainWindow_->Handle() : nullptr; }

    StartupGlobals globals_;
    Win32Registry registry_;
    Win32MessageBoxes boxes_;
    Win32Shell shell_;
    SystemHookComponents hooks_;
#ifdef TW_DELIVERY_TRACE_BUILD
    TraceFile trace_ = TraceFile::FromEnvironment();
#else
    DeliveryTrace trace_;
#endif
    std::unique_ptr<MainWindow> mainWindow_;
    MenuKeys menuKeys_;
};

// %LOCALAPPDATA%\Textwright: the user's own, on this computer, whatever share the library is on.
std::string LocalDataFolder() {
    wchar_t buffer[32768];
    const DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", buffer, 32768);
    if (n == 0 || n >= 32768) {
        return {};
    }
    const std::optional<std::string> folder = WideToPath(std::wstring(buffer, n));
    return folder ? *folder + "\\" + kApplicationTitle : std::string();
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Before anything loads a library. The hook library is loaded by its full path.
    RestrictDllSearchToSystem();
    // The program's own path stays exact: a folder named outside the ANSI code page is
    // still the folder the library and the hook library are found in.
    StartupGlobals globals = MakeStartupGlobals(WideToPath(RunningProgramPath()).value_or(""));
    globals.DataFolder = LocalDataFolder();
    Win32ProgramHost host(std::move(globals));
    const int exitCode = RunProgram(host, Parameters());
    WarnIfHookLibraryLoaded();
    return exitCode;
}
