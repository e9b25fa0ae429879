#pragma once
// Where the system hook components start and stop. Until they exist the program runs without
// input from other windows; a failed start is not reported either way.
#include "ui/main_form_ports.h"

namespace tw::win32 {

class HookComponentsSeam : public HookComponents {
public:
    void StartHooks() override {} // ShellHook, KeyHook, MouseHook: Start, in this order
    void StopHooks() override {}  // MouseHook, KeyHook, ShellHook: Stop, in this order
};

} // namespace tw::win32
