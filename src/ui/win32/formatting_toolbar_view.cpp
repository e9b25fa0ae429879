#include "ui/win32/formatting_toolbar_view.h"

#include "platform/dpi_scale.h"
#include "platform/win32/ansi_path.h"
#include "platform/win32/gdi_scopes.h"
#include "ui/win32/control_hooks.h"
#include "ui/win32/editor_toolbar.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

namespace tw::win32 {
namespace {

std::wstring TextOf(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ListText(HWND combo, LRESULT index) {
    const LRESULT n = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (n == CB_ERR) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(n));
    return text;
}

int CALLBACK AddFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM names) {
    reinterpret_cast<std::vector<std::string>*>(names)->push_back(WideToAnsi(font->lfFaceName));
    return 1;
}

} // namespace

FormattingToolbarControls::FormattingToolbarControls(HWND toolbar, HWND editor, int dpi, HFONT font)
    : toolbar_(toolbar), editor_(editor), dpi_(dpi) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    images_ = std::make_unique<EditorImages>(dpi_);
    SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_->Normal()));
    SendMessageW(toolbar_, TB_SETDISABLEDIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(images_->Disabled()));
    InsertButtons();
    fontName_ = CreateWindowExW(0, WC_COMBOBOXW, L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN |
                                    CBS_AUTOHSCROLL,
                                0, 0, 10, 10, toolbar_, nullptr, instance, nullptr);
    fontSize_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, L"10",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 10, 10,
                                toolbar_, nullptr, instance, nullptr);
    upDown_ =
        CreateWindowExW(0, UPDOWN_CLASSW, nullptr,
                        WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                        0, 0, 10, 10, toolbar_, nullptr, instance, nullptr);
    SendMessageW(upDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(fontSize_), 0);
    SendMessageW(upDown_, UDM_SETRANGE32, 1, 100);
    SendMessageW(upDown_, UDM_SETPOS32, 0, 10);
    toolbarHook_ = Subclass(toolbar_, [this](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        return ToolbarMessage(hwnd, msg, wp, lp);
    });
    // The boxes report to their parent, the toolbar, which hands their messages back here.
    for (HWND box : {fontName_, fontSize_}) {
        boxReflections_.push_back(ReflectCommand(box, [this, box](WPARAM wp, LPARAM) {
            OnChildCommand(box, HIWORD(wp));
            return true;
        }));
    }
    // The Enter key in either box hands the keyboard back to the text.
    auto backToEditor = [this](wchar_t c) {
        if (c != L'\r') {
            return true;
        }
        SetFocus(editor_);
        return false;
    };
    auto entered = [this](bool fontSize) {
        return [this, fontSize] {
            if (boxEnter_) {
                boxEnter_(fontSize);
            }
        };
    };
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(fontName_, &info) && info.hwndItem) {
        HookControl(info.hwndItem, {entered(false), backToEditor, nullptr, nullptr});
    }
    HookControl(fontSize_, {entered(true), backToEditor, nullptr, nullptr});
    SetFont(font);
}

FormattingToolbarControls::~FormattingToolbarControls() {
    if (IsWindow(toolbar_)) {
        toolbarHook_ = Subclass();
        SendMessageW(toolbar_, TB_SETIMAGELIST, 0, 0);
        SendMessageW(toolbar_, TB_SETDISABLEDIMAGELIST, 0, 0);
    }
}

std::vector<std::string> FormattingToolbarControls::ScreenFontNames() {
    std::vector<std::string> names;
    WindowDc screen(nullptr);
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(screen.get(), &all, &AddFace, reinterpret_cast<LPARAM>(&names), 0);
    return names;
}

bool FormattingToolbarControls::ButtonDown(int id) const {
    return SendMessageW(toolbar_, TB_ISBUTTONCHECKED, static_cast<WPARAM>(id), 0) != 0;
}

bool FormattingToolbarControls::OnCommand(int id) {
    switch (id) {
    case kBoldButId:
    case kItalicButId:
    case kUnderlineButId: {
        const bool down = ButtonDown(id);
        const CharStyle style = id == kBoldButId     ? CharStyle::Bold
                                : id == kItalicButId ? CharStyle::Italic
                                                     : CharStyle::Underline;
        Call([=](FormattingToolbar& h) { h.StyleButClick(style, down); });
        return true;
    }
    case kLeftAlignId:
    case kCenterAlignId:
    case kRightAlignId: {
        const int tag = id == kLeftAlignId ? 0 : id == kRightAlignId ? 1 : 2;
        Call([=](FormattingToolbar& h) { h.AlignClick(tag); });
        return true;
    }
    case kDecIndentButId:
        Call([](FormattingToolbar& h) { h.DecIndentButClick(); });
        return true;
    case kIncIndentButId:
        Call([](FormattingToolbar& h) { h.IncIndentButClick(); });
        return true;
    case kColorButId:
        OpenColorPopup();
        return true;
    default:
        return false;
    }
}

void FormattingToolbarControls::OpenColorPopup() {
    Call([](FormattingToolbar& h) { h.ColorPopupPopup(); });
    RECT button{};
    SendMessageW(toolbar_, TB_GETRECT, kColorButId, reinterpret_cast<LPARAM>(&button));
    MapWindowPoints(toolbar_, nullptr, reinterpret_cast<POINT*>(&button), 2);
    const int entry = colors_.Track(toolbar_, POINT{button.left, button.bottom});
    if (entry >= 0) {
        Call([=](FormattingToolbar& h) { h.ColorItemClick(entry); });
    }
}

void FormattingToolbarControls::OnChildCommand(HWND child, int code) {
    if (child == fontSize_ && code == EN_CHANGE) {
        const std::string text = WideToAnsi(TextOf(fontSize_));
        Call([&](FormattingToolbar& h) { h.FontSizeChange(text); });
    } else if (child == fontName_ && code == CBN_SELCHANGE) {
        const LRESULT index = SendMessageW(fontName_, CB_GETCURSEL, 0, 0);
        const std::optional<std::string> entry =
            index == CB_ERR ? std::nullopt : std::optional(WideToAnsi(ListText(fontName_, index)));
        Call([&](FormattingToolbar& h) { h.FontNameChange(entry); });
    } else if (child == fontName_ && code == CBN_EDITCHANGE) {
        // Typed text counts when it names an entry of the list exactly (ignoring case).
        const std::wstring typed = TextOf(fontName_);
        const LRESULT index = SendMessageW(fontName_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(typed.c_str()));
        const std::optional<std::string> entry =
            index == CB_ERR ? std::nullopt : std::optional(WideToAnsi(ListText(fontName_, index)));
        Call([&](FormattingToolbar& h) { h.FontNameChange(entry); });
    }
}

std::optional<LRESULT> FormattingToolbarControls::ToolbarMessage(HWND hwnd, UINT msg, WPARAM wp,
                                                                 LPARAM lp) {
    if (auto reflected = ReflectToSender(msg, wp, lp)) {
        return reflected;
    }
    if (msg == WM_MEASUREITEM &&
        colors_.OnMeasureItem(hwnd, *reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) {
        return TRUE;
    }
    if (msg == WM_DRAWITEM && colors_.OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) {
        return TRUE;
    }
    return std::nullopt;
}

void FormattingToolbarControls::SetFont(HFONT font) {
    SendMessageW(fontName_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SendMessageW(fontSize_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    PlaceChildren();
}

void FormattingToolbarControls::FillFontNames(const std::vector<std::string>& names) {
    SendMessageW(fontName_, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : names) {
        SendMessageW(fontName_, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(AnsiToWide(name).c_str()));
    }
}

void FormattingToolbarControls::SetFontNameText(const std::string& text) {
    SetWindowTextW(fontName_, AnsiToWide(text).c_str());
}

void FormattingToolbarControls::SetFontSizeText(const std::string& text) {
    SetWindowTextW(fontSize_, AnsiToWide(text).c_str());
}

void FormattingToolbarControls::ShowStyle(bool bold, bool italic, bool underline) {
    SendMessageW(toolbar_, TB_CHECKBUTTON, kBoldButId, bold);
    SendMessageW(toolbar_, TB_CHECKBUTTON, kItalicButId, italic);
    SendMessageW(toolbar_, TB_CHECKBUTTON, kUnderlineButId, underline);
}

void FormattingToolbarControls::ShowAlignment(ParagraphAlignment alignment) {
    const std::pair<int, ParagraphAlignment> group[] = {
        {kLeftAlignId, ParagraphAlignment::Left},
        {kCenterAlignId, ParagraphAlignment::Center},
        {kRightAlignId, ParagraphAlignment::Right},
    };
    for (const auto& [id, shown] : group) {
        SendMessageW(toolbar_, TB_CHECKBUTTON, static_cast<WPARAM>(id), shown == alignment);
    }
}

void FormattingToolbarControls::FillColorMenu(const std::vector<std::string>& captions) {
    colors_.Fill(captions);
}

void FormattingToolbarControls::CheckColorEntry(int entry) {
    colors_.Check(entry);
}

} // namespace tw::win32
