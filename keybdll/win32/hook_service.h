#pragma once
// The hook library's engine: one thread of its own that installs the system hooks, runs their
// message loop and posts every event to the registered receivers. It holds a reference to the
// library while it runs, so the library cannot be unmapped under an installed hook; it removes
// its hooks and ends when the last receiver is gone.
#include <windows.h>

#include <cstdint>

namespace tw::keybdll {

void SetLibraryModule(HMODULE module);
std::int32_t AttachReceiverTo(std::uint32_t kind, HWND receiver, std::uint32_t allowFiltering);
std::int32_t DetachReceiverFrom(std::uint32_t kind, HWND receiver);

} // namespace tw::keybdll
