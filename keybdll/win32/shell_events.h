#pragma once
// The shell notifications: the system's window events, and a poll of the foreground window for
// systems that miss some, turned into one notification each. On the hook thread only.
#include "keybdll/window_tracker.h"

namespace tw::keybdll {

using ShellPoster = void (*)(const ShellNotification& notification);

void InstallShellEvents(ShellPoster post);
void RemoveShellEvents();
bool ShellEventsActive();
void PollWindows();

} // namespace tw::keybdll
