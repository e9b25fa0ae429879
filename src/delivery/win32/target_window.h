#pragma once
// What a delivery needs to know of a window: its program, class, title, and the integrity levels
// of its process and ours, by which the core tells whether the system drops our input.
#include "delivery/delivery_ports.h"

#include <windows.h>

namespace tw::win32 {

TargetWindow DescribeWindow(HWND window);

} // namespace tw::win32
