#include "hooks/win32/win32_hook_module.h"

#include "hooks/hook_library_path.h"
#include "platform/win32/ansi_path.h"
#include "platform/win32/running_program.h"

#include <windows.h>

#include <cstdio>
#include <utility>

namespace tw {

std::string RunningProgramFolder() {
    std::wstring path = win32::RunningProgramPath();
    const auto slash = path.find_last_of(L"\\/");
    path.resize(slash == std::wstring::npos ? 0 : slash + 1);
    return win32::WideToPath(path).value_or(std::string());
}

Win32HookModule::Win32HookModule(std::string programFolder)
    : programFolder_(programFolder.empty() ? RunningProgramFolder() : std::move(programFolder)) {}

HookModule Win32HookModule::Load(const std::string& name) {
    const std::wstring path = win32::PathToWide(HookLibraryPath(programFolder_, name));
    // The library's own dependencies come from its folder and the system folder, never from
    // the current folder.
    HMODULE module = LoadLibraryExW(
        path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module && GetLastError() == ERROR_INVALID_PARAMETER) // systems without those flags
        module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    lastError_ = module ? 0 : GetLastError();
    return reinterpret_cast<HookModule>(module);
}

HookEntry Win32HookModule::Resolve(HookModule module, const std::string& exportName) {
    return reinterpret_cast<HookEntry>(
        GetProcAddress(reinterpret_cast<HMODULE>(module), exportName.c_str()));
}

void Win32HookModule::Unload(HookModule module) {
    FreeLibrary(reinterpret_cast<HMODULE>(module));
}

std::int32_t Win32HookModule::CallAttachReceiver(HookEntry attach, std::uint8_t kind,
                                                 std::uintptr_t receiver, bool allowFiltering) {
    using AttachReceiverProc = LONG(WINAPI*)(BYTE, HWND, BYTE);
    auto proc = reinterpret_cast<AttachReceiverProc>(attach);
    return proc(kind, reinterpret_cast<HWND>(receiver), allowFiltering ? 1 : 0);
}

std::string Win32HookModule::SystemErrorText(std::uint32_t code) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n && buffer ? std::wstring(buffer, n) : std::wstring();
    if (buffer)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    if (text.empty()) {
        char fallback[40];
        std::snprintf(fallback, sizeof fallback, "Unknown error %lu",
                      static_cast<unsigned long>(code));
        return fallback;
    }
    return win32::WideToAnsi(text);
}

void Win32HookModule::ShowLeftLoadedWarning(const std::string& text, const std::string& caption) {
    MessageBoxW(nullptr, win32::TextToWide(text).c_str(), win32::AnsiToWide(caption).c_str(),
                MB_OK | MB_ICONWARNING);
}

} // namespace tw
