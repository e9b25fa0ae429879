#pragma once
// What a delivery needs to know of a window: its program, class, title, and whether its process
// runs at a higher integrity level than ours (then the system drops the input we inject).
#include "delivery/delivery_ports.h"

#include <windows.h>

namespace tw::win32 {

TargetWindow DescribeWindow(HWND window);

} // namespace tw::win32
