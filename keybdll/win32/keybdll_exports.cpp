// The library's exports. Byte arguments travel in 32-bit slots whose upper bits are undefined,
// so they are declared as 32-bit values and only their low byte is read.
#include "keybdll/win32/hook_service.h"

#include <atomic>

namespace {
std::atomic<std::int32_t> g_lastStatus{0};
}

extern "C" {

__declspec(dllexport) std::int32_t WINAPI
    AttachReceiver(std::uint32_t kind, HWND receiver, std::uint32_t allowFiltering) {
    const std::int32_t status = tw::keybdll::AttachReceiverTo(kind, receiver, allowFiltering);
    g_lastStatus = status;
    return status;
}

__declspec(dllexport) std::int32_t WINAPI DetachReceiver(std::uint32_t kind, HWND receiver) {
    const std::int32_t status = tw::keybdll::DetachReceiverFrom(kind, receiver);
    g_lastStatus = status;
    return status;
}

// The status of the last AttachReceiver or DetachReceiver in this process.
__declspec(dllexport) std::int32_t WINAPI LastError() {
    return g_lastStatus;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        tw::keybdll::SetLibraryModule(instance);
    return TRUE;
}

} // extern "C"
