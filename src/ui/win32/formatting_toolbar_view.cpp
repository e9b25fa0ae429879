#include "ui/win32/formatting_toolbar_view.h"

#include "platform/win32/ansi_path.h"
#include "ui/win32/control_hooks.h"
#include "ui/win32/editor_toolbar.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

namespace tw::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 0x7446;
constexpr int kFontNameWidth96 = 161, kFontSizeWidth96 = 34, kUpDownWidth96 = 16;
constexpr int kSeparatorWidth96 = 6, kFontListHeight96 = 240;

struct ButtonSpec {
    int id;
    int image; // -1: a separator, `width` pixels at 96 dpi
    BYTE style;
    int width;
};

constexpr int Image(EditorImage image) {
    return static_cast<int>(image);
}

constexpr ButtonSpec Command(MainCommand command) {
    return {CommandIdOf(command), StripIndexOf(RowOf(command).image), BTNS_BUTTON, 0};
}

constexpr ButtonSpec kButtons[] = {
    Command(MainCommand::EditorCut),
    Command(MainCommand::EditorCopy),
    Command(MainCommand::EditorPaste),
    Command(MainCommand::EditorUndo),
    Command(MainCommand::EditorRedo),
    {0, -1, BTNS_SEP, kSeparatorWidth96},
    {kFontNamePlaceId, -1, BTNS_SEP, kFontNameWidth96},
    {0, -1, BTNS_SEP, 2},
    {kFontSizePlaceId, -1, BTNS_SEP, kFontSizeWidth96 + kUpDownWidth96},
    {0, -1, BTNS_SEP, kSeparatorWidth96},
    {kColorButId, Image(EditorImage::Color), BTNS_WHOLEDROPDOWN, 0},
    {0, -1, BTNS_SEP, kSeparatorWidth96},
    {kBoldButId, Image(EditorImage::Bold), BTNS_CHECK, 0},
    {kItalicButId, Image(EditorImage::Italic), BTNS_CHECK, 0},
    {kUnderlineButId, Image(EditorImage::Underline), BTNS_CHECK, 0},
    {0, -1, BTNS_SEP, kSeparatorWidth96},
    {kLeftAlignId, Image(EditorImage::AlignLeft), BTNS_CHECKGROUP, 0},
    {kCenterAlignId, Image(EditorImage::AlignCenter), BTNS_CHECKGROUP, 0},
    {kRightAlignId, Image(EditorImage::AlignRight), BTNS_CHECKGROUP, 0},
    {0, -1, BTNS_SEP, kSeparatorWidth96},
    {kDecIndentButId, Image(EditorImage::IndentLess), BTNS_BUTTON, 0},
    {kIncIndentButId, Image(EditorImage::IndentMore), BTNS_BUTTON, 0},
};

std::wstring HintOf(int id) {
    if (const CommandRow* row = RowOfId(id)) {
        return AnsiToWide(row->hint);
    }
    switch (id) {
    case kColorButId:
        return L"Color";
    case kBoldButId:
        return L"Bold";
    case kItalicButId:
        return L"Italic";
    case kUnderlineButId:
        return L"Underline";
    case kLeftAlignId:
        return L"Left Align";
    case kCenterAlignId:
        return L"Center";
    case kRightAlignId:
        return L"Right Align";
    case kDecIndentButId:
        return L"Decrease Indent";
    case kIncIndentButId:
        return L"Increase Indent";
    default:
        return {};
    }
}

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
    int at = 0;
    for (const ButtonSpec& spec : kButtons) {
        TBBUTTON b{};
        b.idCommand = spec.id;
        // Each button as wide as its image: the list style would size all like the widest text.
        b.fsStyle = static_cast<BYTE>(spec.style | (spec.image >= 0 ? BTNS_AUTOSIZE : 0));
        b.fsState = TBSTATE_ENABLED;
        b.iBitmap = spec.image >= 0 ? spec.image : MulDiv(spec.width, dpi_, 96);
        SendMessageW(toolbar_, TB_INSERTBUTTONW, static_cast<WPARAM>(at++),
                     reinterpret_cast<LPARAM>(&b));
    }
    SendMessageW(toolbar_, TB_CHECKBUTTON, kLeftAlignId, TRUE);
    TBBUTTONINFOW insertions{};
    insertions.cbSize = sizeof insertions;
    insertions.dwMask = TBIF_IMAGE;
    insertions.iImage = Image(EditorImage::Insert);
    SendMessageW(toolbar_, TB_SETBUTTONINFOW, kButPreDefParamsId,
                 reinterpret_cast<LPARAM>(&insertions));
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
    SetWindowSubclass(toolbar_, &FormattingToolbarControls::ToolbarProc, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
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
        RemoveWindowSubclass(toolbar_, &FormattingToolbarControls::ToolbarProc, kSubclassId);
        SendMessageW(toolbar_, TB_SETIMAGELIST, 0, 0);
        SendMessageW(toolbar_, TB_SETDISABLEDIMAGELIST, 0, 0);
    }
}

std::vector<std::string> FormattingToolbarControls::ScreenFontNames() {
    std::vector<std::string> names;
    HDC screen = GetDC(nullptr);
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(screen, &all, &AddFace, reinterpret_cast<LPARAM>(&names), 0);
    ReleaseDC(nullptr, screen);
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

bool FormattingToolbarControls::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.hwndFrom == toolbar_ && header.code == TBN_DROPDOWN &&
        reinterpret_cast<const NMTOOLBARW&>(header).iItem == kColorButId) {
        OpenColorPopup();
        result = TBDDRET_DEFAULT;
        return true;
    }
    if (header.code == TTN_GETDISPINFOW) {
        const int id = static_cast<int>(header.idFrom);
        if (!RowOfId(id) && (id < kFontNamePlaceId || id > kIncIndentButId)) {
            return false;
        }
        static std::wstring hint;
        hint = HintOf(id);
        auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
        info.lpszText = hint.data();
        info.hinst = nullptr;
        result = 0;
        return true;
    }
    return false;
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

LRESULT CALLBACK FormattingToolbarControls::ToolbarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp,
                                                        UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<FormattingToolbarControls*>(data);
    switch (msg) {
    case WM_COMMAND:
        // The boxes report to their parent, the toolbar.
        if (lp && (reinterpret_cast<HWND>(lp) == self->fontName_ ||
                   reinterpret_cast<HWND>(lp) == self->fontSize_)) {
            self->OnChildCommand(reinterpret_cast<HWND>(lp), HIWORD(wp));
            return 0;
        }
        break;
    case WM_MEASUREITEM:
        if (self->colors_.OnMeasureItem(hwnd, *reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) {
            return TRUE;
        }
        break;
    case WM_DRAWITEM:
        if (self->colors_.OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) {
            return TRUE;
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, &FormattingToolbarControls::ToolbarProc, kSubclassId);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

void FormattingToolbarControls::ApplyStates(const CommandStates& s) {
    for (const ButtonSpec& spec : kButtons) {
        if (spec.image >= 0) {
            const CommandRow* row = RowOfId(spec.id);
            const bool on = row ? CommandAvailable(s, row->command) : s.editorToolbar;
            SendMessageW(toolbar_, TB_ENABLEBUTTON, static_cast<WPARAM>(spec.id),
                         MAKELPARAM(on, 0));
        }
    }
    for (HWND control : {fontName_, fontSize_, upDown_}) {
        if (IsWindowEnabled(control) != (s.editorToolbar ? TRUE : FALSE)) {
            EnableWindow(control, s.editorToolbar);
        }
    }
}

void FormattingToolbarControls::SetFont(HFONT font) {
    SendMessageW(fontName_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SendMessageW(fontSize_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    PlaceChildren();
}

void FormattingToolbarControls::SetDpi(int dpi) {
    if (dpi == dpi_) {
        return;
    }
    dpi_ = dpi;
    auto images = std::make_unique<EditorImages>(dpi_);
    SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images->Normal()));
    SendMessageW(toolbar_, TB_SETDISABLEDIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(images->Disabled()));
    images_ = std::move(images);
    for (const ButtonSpec& spec : kButtons) {
        if (spec.image < 0 && spec.id != 0) {
            TBBUTTONINFOW info{};
            info.cbSize = sizeof info;
            info.dwMask = TBIF_SIZE;
            info.cx = static_cast<WORD>(MulDiv(spec.width, dpi_, 96));
            SendMessageW(toolbar_, TB_SETBUTTONINFOW, static_cast<WPARAM>(spec.id),
                         reinterpret_cast<LPARAM>(&info));
        }
    }
    SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
    PlaceChildren();
}

void FormattingToolbarControls::PlaceChildren() {
    RECT combo{};
    GetWindowRect(fontName_, &combo);
    const int boxHeight = static_cast<int>(combo.bottom - combo.top);
    // Buttons as tall as the boxes, so the row holds them.
    const DWORD size = static_cast<DWORD>(SendMessageW(toolbar_, TB_GETBUTTONSIZE, 0, 0));
    if (HIWORD(size) < boxHeight + 2) {
        SendMessageW(toolbar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(LOWORD(size), boxHeight + 2));
    }
    RECT name{}, sizePlace{};
    SendMessageW(toolbar_, TB_GETRECT, kFontNamePlaceId, reinterpret_cast<LPARAM>(&name));
    SendMessageW(toolbar_, TB_GETRECT, kFontSizePlaceId, reinterpret_cast<LPARAM>(&sizePlace));
    const int top = std::max<int>(0, (name.top + name.bottom - boxHeight) / 2);
    MoveWindow(fontName_, name.left, top, name.right - name.left,
               boxHeight + MulDiv(kFontListHeight96, dpi_, 96), TRUE);
    const int upDownWidth = MulDiv(kUpDownWidth96, dpi_, 96);
    const int editWidth = sizePlace.right - sizePlace.left - upDownWidth;
    MoveWindow(fontSize_, sizePlace.left, top, editWidth, boxHeight, TRUE);
    MoveWindow(upDown_, sizePlace.left + editWidth, top, upDownWidth, boxHeight, TRUE);
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
