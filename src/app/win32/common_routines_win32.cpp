#include "app/win32/common_routines_win32.h"

#include "platform/win32/ansi_path.h"

#include <shellapi.h>

namespace tw::win32 {

namespace {

int Box(const std::string& text, const wchar_t* caption, UINT flags) {
    // No owner: the box is centred on the screen; task-modal: every window of ours waits.
    return MessageBoxW(nullptr, TextToWide(text).c_str(), caption,
                       flags | MB_TASKMODAL | MB_SETFOREGROUND);
}

} // namespace

void Win32MessageBoxes::ShowInfo(const std::string& text) {
    Box(text, L"Information", MB_OK | MB_ICONINFORMATION);
}

void Win32MessageBoxes::ShowWarning(const std::string& text) {
    Box(text, L"Warning", MB_OK | MB_ICONWARNING);
}

void Win32MessageBoxes::ShowError(const std::string& text) {
    Box(text, L"Error", MB_OK | MB_ICONERROR);
}

bool Win32MessageBoxes::AskYesNo(const std::string& text) {
    return Box(text, L"Confirm", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

MessageBoxes::Answer Win32MessageBoxes::AskYesNoCancel(const std::string& text) {
    switch (Box(text, L"Confirm", MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        return Answer::Yes;
    case IDNO:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void Win32MessageBoxes::ShowErrorReport(const std::string& text) {
    Box(text, AnsiToWide(kApplicationTitle).c_str(), MB_OK | MB_ICONERROR);
}

bool Win32Shell::OpenDocument(const std::string& pathOrAddress) {
    const std::wstring target = PathToWide(pathOrAddress);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // A document that cannot be opened is not reported, not even by the shell itself.
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpFile = target.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) != FALSE;
}

} // namespace tw::win32
