#include "delivery/win32/target_window.h"

#include "platform/win32/ansi_path.h"
#include "platform/win32/unique_handle.h"

#include <string>
#include <vector>

namespace tw::win32 {
namespace {

struct KernelHandleReleaser {
    void operator()(HANDLE handle) const {
        if (handle) {
            CloseHandle(handle);
        }
    }
};
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleReleaser>;

IntegrityLevel IntegrityOf(HANDLE process) {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &raw)) {
        return {-1, GetLastError() == ERROR_ACCESS_DENIED};
    }
    UniqueKernelHandle token(raw);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenIntegrityLevel, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    if (size < sizeof(TOKEN_MANDATORY_LABEL) ||
        !GetTokenInformation(token.get(), TokenIntegrityLevel, buffer.data(), size, &size)) {
        return {};
    }
    const auto* label = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data());
    const DWORD count = *GetSidSubAuthorityCount(label->Label.Sid);
    return {count == 0 ? -1 : static_cast<long>(*GetSidSubAuthority(label->Label.Sid, count - 1)),
            false};
}

} // namespace

TargetWindow DescribeWindow(HWND window) {
    TargetWindow target;
    if (!window || !IsWindow(window)) {
        return target;
    }
    wchar_t text[512] = {};
    if (GetClassNameW(window, text, static_cast<int>(std::size(text))) > 0) {
        target.windowClass = WideToUtf8(text);
    }
    text[0] = 0;
    if (GetWindowTextW(window, text, static_cast<int>(std::size(text))) > 0) {
        target.title = WideToUtf8(text);
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    target.ours = IntegrityOf(GetCurrentProcess());
    UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process) {
        target.integrity.denied = GetLastError() == ERROR_ACCESS_DENIED;
        return target;
    }
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD size = static_cast<DWORD>(path.size());
        if (QueryFullProcessImageNameW(process.get(), 0, path.data(), &size)) {
            path.resize(size);
            break;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() > 32768) {
            path.clear();
            break;
        }
        path.resize(path.size() * 2);
    }
    target.program = WideToUtf8(path.substr(path.find_last_of(L"\\/") + 1));
    target.integrity = IntegrityOf(process.get());
    return target;
}

} // namespace tw::win32
