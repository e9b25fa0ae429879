// A stand-in for the main window in end-to-end runs: owns the three hook components the way the
// program does and writes every keystroke, activation and click it gets to a log, one line each.
// Usage: hook_probe LOGFILE STOPFILE   (ends when STOPFILE appears, or after two minutes)
#include "hooks/system_hooks.h"
#include "hooks/win32/listener_window.h"
#include "hooks/win32/process_hooks.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

FILE* g_log = nullptr;

void Log(const std::string& line) {
    std::fprintf(g_log, "%s\n", line.c_str());
    std::fflush(g_log);
}

std::string ClassOf(tw::HookWindow window) {
    wchar_t name[128] = {};
    GetClassNameW(tw::HookWindowToHwnd(window), name, 128);
    std::string narrow;
    for (const wchar_t* p = name; *p; ++p)
        narrow += static_cast<char>(*p < 128 ? *p : '?');
    return narrow;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3)
        return 2;
    g_log = _wfopen(argv[1], L"ab");
    if (!g_log)
        return 3;
    const std::wstring stopFile = argv[2];

    using namespace tw;
    SystemHooks hooks(ProcessHookLoader(), ProcessHookHost());
    TKvShellHook& ShellHook = hooks.ShellHook;
    TKvKeyboardHook& KeyHook = hooks.KeyHook;
    TKvMouseHook& MouseHook = hooks.MouseHook;
    KeyHook.OnKeyAction = [](TKvSysHook&, std::uint32_t vk, std::uint16_t, std::uint8_t, bool, bool,
                             bool, bool pressed, bool&) {
        char line[32];
        std::snprintf(line, sizeof line, "key %02X %s", static_cast<unsigned>(vk),
                      pressed ? "down" : "up");
        Log(line);
    };
    ShellHook.OnWindowActivated = [](TKvSysHook&, HookWindow w) { Log("activated " + ClassOf(w)); };
    MouseHook.OnMouseClick = [](TKvSysHook&, HookWindow, std::int32_t, std::int32_t, TMouseButton b,
                                TKvMouseButtonMovement m) {
        static const char* const buttons[] = {"left", "right", "middle"};
        static const char* const moves[] = {"down", "up", "double"};
        Log(std::string("click ") + buttons[static_cast<int>(b)] + " " +
            moves[static_cast<int>(m)]);
    };

    hooks.StartHooks();
    for (const TKvSysHook* hook :
         {static_cast<const TKvSysHook*>(&ShellHook), static_cast<const TKvSysHook*>(&KeyHook),
          static_cast<const TKvSysHook*>(&MouseHook)})
        Log("start " + hook->DisplayName() + (hook->Active() ? " ok" : " failed"));
    Log("ready");

    const DWORD started = GetTickCount();
    SetTimer(nullptr, 0, 100, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr) {
            if (GetFileAttributesW(stopFile.c_str()) != INVALID_FILE_ATTRIBUTES ||
                GetTickCount() - started > 120000)
                break;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    hooks.StopHooks();
    Log(ProcessHookLoader().Loaded() ? "stopped, library still loaded" : "stopped");
    std::fclose(g_log);
    return 0;
}
