#include "target_text.h"

namespace tw::bench {

namespace {
constexpr UINT kAnswerMs = 2000;
}

HWND FindNotepadEdit() {
    HWND top = FindWindowW(L"Notepad", nullptr);
    return top ? FindWindowExW(top, nullptr, L"Edit", nullptr) : nullptr;
}

bool ReadTargetText(HWND edit, std::size_t limit, std::wstring& text) {
    text.assign(limit + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(edit, WM_GETTEXT, limit + 1, reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kAnswerMs, &copied)) {
        return false;
    }
    text.resize(copied);
    return true;
}

bool ClearTargetText(HWND edit) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""), SMTO_ABORTIFHUNG,
                               kAnswerMs, &result) != 0;
}

} // namespace tw::bench
