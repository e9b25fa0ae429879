#pragma once
// The hook thread's side that turns hook calls into messages to the receivers: the keyboard
// hook with its filtering receivers, the mouse hook's queue, and the shell's notifications.
#include "hooks/hook_status.h"
#include "keybdll/receiver_table.h"
#include "keybdll/win32/shell_events.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace tw::keybdll {

inline constexpr UINT kDrainMouse = WM_APP + 2; // mouse events wait in the queue
inline constexpr std::uint8_t kShell = static_cast<std::uint8_t>(TKvHookKind::Shell);
inline constexpr std::uint8_t kKeyboard = static_cast<std::uint8_t>(TKvHookKind::Keyboard);
inline constexpr std::uint8_t kMouse = static_cast<std::uint8_t>(TKvHookKind::Mouse);

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam);
// Posts to every receiver of a kind; a receiver whose window is gone is dropped quietly.
void Post(std::uint8_t kind, std::uint32_t code, WPARAM wParam, LPARAM lParam);
void PostShell(const ShellNotification& n);
// On the hook thread, after kDrainMouse.
void DrainMouse();
// Keys held while no hook watched are unknown: all keys start up.
void ResetKeystrokes();
void ClearMouseQueue();
void ClearStalled();
void ForgetStalled(HWND window);

// What the events need of the service.
std::vector<Receiver> ReceiversOf(std::uint8_t kind);
// On the hook thread only.
void ForgetWindow(HWND window);
// A hook was called: the system has not removed it.
void HookCalled();
HWND HookThreadControl();

} // namespace tw::keybdll
