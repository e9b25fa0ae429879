// A hook library that lacks LastError: the loader must refuse and unload it.
#include <windows.h>

#include <cstdint>

extern "C" {

__declspec(dllexport) std::int32_t WINAPI AttachReceiver(std::uint32_t, HWND, std::uint32_t) {
    return 0;
}

__declspec(dllexport) std::int32_t WINAPI DetachReceiver(std::uint32_t, HWND) {
    return 0;
}

} // extern "C"
