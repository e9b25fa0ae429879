// The toolbar's row of buttons: which there are, their hints, and their sizes at the screen's dpi.
#include "ui/win32/formatting_toolbar_view.h"

#include "platform/dpi_scale.h"
#include "platform/win32/ansi_path.h"
#include "ui/win32/editor_toolbar.h"

#include <commctrl.h>

#include <string>

namespace tw::win32 {
namespace {

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

} // namespace

void FormattingToolbarControls::InsertButtons() {
    int at = 0;
    for (const ButtonSpec& spec : kButtons) {
        TBBUTTON b{};
        b.idCommand = spec.id;
        // Each button as wide as its image: the list style would size all like the widest text.
        b.fsStyle = static_cast<BYTE>(spec.style | (spec.image >= 0 ? BTNS_AUTOSIZE : 0));
        b.fsState = TBSTATE_ENABLED;
        b.iBitmap = spec.image >= 0 ? spec.image : ScaleForDpi(spec.width, dpi_);
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
            info.cx = static_cast<WORD>(ScaleForDpi(spec.width, dpi_));
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
               boxHeight + ScaleForDpi(kFontListHeight96, dpi_), TRUE);
    const int upDownWidth = ScaleForDpi(kUpDownWidth96, dpi_);
    const int editWidth = sizePlace.right - sizePlace.left - upDownWidth;
    MoveWindow(fontSize_, sizePlace.left, top, editWidth, boxHeight, TRUE);
    MoveWindow(upDown_, sizePlace.left + editWidth, top, upDownWidth, boxHeight, TRUE);
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

} // namespace tw::win32
