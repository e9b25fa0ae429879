#pragma once
// The formatting controls of ToolBarEditor, put in front of its existing buttons: Cut, Copy,
// Paste, Undo, Redo, FontName, FontSize with UpDownFontSize, ColorBut with ColorPopup, Bold,
// Italic, Underline, the three alignment buttons and the two indent buttons. Each user action
// becomes one call of the formatting handlers; the edit buttons stand for their menu commands.
#include "ui/command_state.h"
#include "ui/formatting_toolbar.h"
#include "ui/main_commands.h"
#include "ui/win32/color_popup.h"
#include "ui/win32/editor_images.h"
#include "platform/win32/window_base.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tw::win32 {

// Command ids of the toolbar's formatting buttons; the edit buttons send their commands' ids.
enum FormattingButtonId : int {
    kFontNamePlaceId = 355,
    kFontSizePlaceId,
    kColorButId,
    kBoldButId,
    kItalicButId,
    kUnderlineButId,
    kLeftAlignId,
    kCenterAlignId,
    kRightAlignId,
    kDecIndentButId,
    kIncIndentButId,
};

class FormattingToolbarControls : public FormattingToolbarView {
public:
    FormattingToolbarControls(HWND toolbar, HWND editor, int dpi, HFONT font);
    ~FormattingToolbarControls() override;
    FormattingToolbarControls(const FormattingToolbarControls&) = delete;
    FormattingToolbarControls& operator=(const FormattingToolbarControls&) = delete;

    // Null: the controls do nothing (before start-up, and while the library goes).
    void SetHandlers(FormattingToolbar* handlers) { handlers_ = handlers; }
    // Focus came into FontName (false) or FontSize (true) from another control.
    void SetBoxEnter(std::function<void(bool fontSize)> entered) { boxEnter_ = std::move(entered); }

    // A formatting button's WM_COMMAND, which the toolbar sends to its parent.
    bool OnCommand(int id);
    // The colour button's drop-down and the buttons' hints.
    bool OnNotify(const NMHDR& header, LRESULT& result);
    void ApplyStates(const CommandStates& states);
    void SetFont(HFONT font);
    void SetDpi(int dpi);

    HWND FontName() const { return fontName_; }
    HWND FontSize() const { return fontSize_; }
    HWND UpDownFontSize() const { return upDown_; }
    ColorPopup& Colors() { return colors_; }
    bool ButtonDown(int id) const;

    std::vector<std::string> ScreenFontNames() override;
    void FillFontNames(const std::vector<std::string>& names) override;
    void SetFontNameText(const std::string& text) override;
    void SetFontSizeText(const std::string& text) override;
    void ShowStyle(bool bold, bool italic, bool underline) override;
    void ShowAlignment(ParagraphAlignment alignment) override;
    void FillColorMenu(const std::vector<std::string>& captions) override;
    void CheckColorEntry(int entry) override;

private:
    // The boxes' notifications and the colour menu's pictures, which come to the toolbar.
    std::optional<LRESULT> ToolbarMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void InsertButtons();
    void OnChildCommand(HWND child, int code);
    void OpenColorPopup();
    void Call(const std::function<void(FormattingToolbar&)>& handler) {
        if (handlers_) {
            handler(*handlers_);
        }
    }
    void PlaceChildren();

    HWND toolbar_;
    HWND editor_;
    int dpi_;
    HWND fontName_ = nullptr;
    HWND fontSize_ = nullptr;
    HWND upDown_ = nullptr;
    std::unique_ptr<EditorImages> images_;
    ColorPopup colors_;
    FormattingToolbar* handlers_ = nullptr;
    std::function<void(bool)> boxEnter_;
    Subclass toolbarHook_;
    std::vector<Reflection> boxReflections_;
};

} // namespace tw::win32
