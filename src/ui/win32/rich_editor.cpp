#include "ui/win32/rich_editor.h"

#include "library/text_lines.h"
#include "platform/win32/ansi_path.h"
#include "platform/win32/system_libraries.h"

#include <ole2.h>
#include <richedit.h>

#include <cstring>

namespace tw::win32 {
namespace {

constexpr int kUndoSteps = 100;

struct InStream {
    const std::string* bytes;
    std::size_t pos;
};

DWORD CALLBACK ReadChunk(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
    auto* in = reinterpret_cast<InStream*>(cookie);
    const std::size_t left = in->bytes->size() - in->pos;
    const std::size_t n =
        left < static_cast<std::size_t>(size) ? left : static_cast<std::size_t>(size);
    std::memcpy(buffer, in->bytes->data() + in->pos, n);
    in->pos += n;
    *read = static_cast<LONG>(n);
    return 0;
}

DWORD CALLBACK WriteChunk(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* written) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer),
                                                   static_cast<std::size_t>(size));
    *written = size;
    return 0;
}

bool LooksLikeRtf(const std::string& source) {
    return source.compare(0, 5, "{\\rtf") == 0;
}

} // namespace

bool RichEditor::LoadControlLibrary() {
    // Text dragged from other programs arrives by OLE drag and drop, which the control offers
    // only on a thread where OLE is initialised before the control exists.
    static const HRESULT ole = OleInitialize(nullptr);
    (void)ole;
    static HMODULE module = LoadSystemLibrary(L"Msftedit.dll");
    return module != nullptr;
}

HWND RichEditor::Create(HWND parent, int id) {
    if (!LoadControlLibrary()) {
        return nullptr;
    }
    HWND hwnd =
        CreateWindowExW(WS_EX_CLIENTEDGE, MSFTEDIT_CLASS, L"",
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL |
                            ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN,
                        0, 0, 100, 100, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) {
        return nullptr;
    }
    SendMessageW(hwnd, EM_SETUNDOLIMIT, kUndoSteps, 0);
    SendMessageW(hwnd, EM_AUTOURLDETECT, TRUE, 0);
    SendMessageW(hwnd, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE | ENM_LINK);
    SendMessageW(hwnd, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    return hwnd;
}

bool RichEditor::StreamIn(const std::string& bytes, UINT format) {
    InStream in{&bytes, 0};
    EDITSTREAM es{};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&in);
    es.pfnCallback = ReadChunk;
    SendMessageW(hwnd_, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&es));
    return es.dwError == 0;
}

bool RichEditor::LoadRtf(const std::string& source) {
    // A control given text that is no RTF may show nothing or garbage; such a body is text.
    if (!LooksLikeRtf(source)) {
        return false;
    }
    return StreamIn(source, SF_RTF);
}

void RichEditor::LoadPlainText(const std::string& text) {
    StreamIn(text, SF_TEXT);
}

void RichEditor::LoadBody(const std::vector<std::string>& lines) {
    const std::string source = JoinLines(lines);
    if (source.empty()) {
        ClearEditor();
        return;
    }
    if (!LoadRtf(source)) {
        // The last line's end would show as an empty paragraph.
        LoadPlainText(source.substr(0, source.size() - 2));
    }
}

void RichEditor::ClearEditor() {
    SetWindowTextW(hwnd_, L"");
}

std::string RichEditor::RtfSource() {
    std::string out;
    EDITSTREAM es{};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&out);
    es.pfnCallback = WriteChunk;
    SendMessageW(hwnd_, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&es));
    // The control ends its output with a NUL on some versions.
    while (!out.empty() && out.back() == '\0') {
        out.pop_back();
    }
    return out;
}

std::vector<std::string> RichEditor::BodyLines() {
    std::vector<std::string> lines = SplitLines(RtfSource());
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

std::u16string RichEditor::EditorPlainText() {
    GETTEXTLENGTHEX length{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
    const LRESULT chars =
        SendMessageW(hwnd_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
    if (chars <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(chars) + 1, L'\0');
    GETTEXTEX get{};
    get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    get.flags = GT_USECRLF;
    get.codepage = 1200;
    const LRESULT copied = SendMessageW(hwnd_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return std::u16string(text.begin(), text.end());
}

bool RichEditor::EditorHasFocus() {
    return GetFocus() == hwnd_;
}

int RichEditor::EditorSelectionLength() {
    CHARRANGE range{};
    SendMessageW(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return static_cast<int>(range.cpMax - range.cpMin);
}

bool RichEditor::EditorCanPaste() {
    return SendMessageW(hwnd_, EM_CANPASTE, 0, 0) != 0;
}

bool RichEditor::EditorCanUndo() {
    return SendMessageW(hwnd_, EM_CANUNDO, 0, 0) != 0;
}

bool RichEditor::EditorCanRedo() {
    return SendMessageW(hwnd_, EM_CANREDO, 0, 0) != 0;
}

void RichEditor::EditorReplaceSelection(const std::string& text) {
    const std::wstring wide = AnsiToWide(text);
    // Undoable, like typing.
    SendMessageW(hwnd_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
}

void RichEditor::CopyEntireToClipboard() {
    CHARRANGE kept{};
    SendMessageW(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&kept));
    CHARRANGE all{0, -1};
    SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
    SendMessageW(hwnd_, WM_COPY, 0, 0);
    SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&kept));
}

} // namespace tw::win32
