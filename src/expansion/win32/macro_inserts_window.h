#pragma once
// The insertions dialog TFormMacroInserts as a Win32 window: it implements the view and the
// host of the portable logic and turns window messages into the logic's handlers. The logic
// measures in pixels at 96 dpi; the window scales them for the screen it opens on.
#include "platform/dpi_scale.h"
#include "expansion/insertions_dialog.h"
#include "expansion/macro_inserts_form.h"
#include "platform/raw_registry.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_base.h"

#include <windows.h>

#include <map>
#include <vector>

namespace tw::win32 {

class MacroInsertsWindow : public MacroInsertsView, public InsertionsDialogHost {
public:
    // Created once and reused, owned by `mainWindow` (no taskbar button of its own), which is
    // raised for a drop (may be null).
    MacroInsertsWindow(HINSTANCE instance, RawRegistry& settings, HWND mainWindow);
    ~MacroInsertsWindow() override;
    MacroInsertsWindow(const MacroInsertsWindow&) = delete;
    MacroInsertsWindow& operator=(const MacroInsertsWindow&) = delete;

    TFormMacroInserts& Form() { return form_; }
    HWND Handle() const { return formHwnd_; }
    std::vector<HWND> ValueBoxes() const; // in row order
    HWND AcceptButton() const { return buttonOk_; }
    HWND CheckShowBox() const { return checkShow_; }
    HWND ScrollPanel() const { return scrollPanel_; }

    // MacroInsertsView
    int CreateValueBox(const std::string& text) override;
    void DestroyValueBox(int box) override;
    void PlaceValueBox(int box, int left, int top, int width) override;
    int ValueBoxHeight(int box) override;
    std::string ValueBoxText(int box) override;
    bool ValueBoxHasSelection(int box) override;
    void SelectAllOfValueBox(int box) override;
    DialogSize FormSize() override;
    void SetFormSize(DialogSize size) override;
    void SetFormMaxSize(DialogSize size) override;
    DialogSize ScreenSize() override;
    int ScrollPanelClientWidth() override;
    int PanelBotWidth() override;
    int CheckShowWidth() override;
    int ButtonOkWidth() override;
    void SetButtonOkLeft(int left) override;
    void SetCheckShow(bool checked) override;
    bool CheckShowChecked() override;

    // InsertionsDialogHost
    void BringMainWindowToFront() override;
    void Wait(int milliseconds) override;
    DialogSize DialogOuterSize() override;
    void MoveDialog(ScreenPoint topLeft) override;
    bool RunModal() override;

private:
    LRESULT OnFormMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnPanelMessage(HWND panel, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnValueBoxMessage(HWND box, UINT msg, WPARAM wp, LPARAM lp);
    void CreateControls(HINSTANCE instance);
    void Layout();
    void UpdateScrollRange();
    void ScrollTo(int position);
    void ScrollIntoView(HWND box);
    void ShowSteps();
    bool PreviewKey(const MSG& msg);
    int BoxId(HWND box) const;
    // Between the logic's 96-dpi pixels and the screen's.
    int Px(int logical) const { return ScaleForDpi(logical, static_cast<int>(dpi_)); }
    int Logical(int pixels) const { return UnscaleForDpi(pixels, static_cast<int>(dpi_)); }
    DialogSize Logical(DialogSize pixels) const {
        return {Logical(pixels.width), Logical(pixels.height)};
    }

    TFormMacroInserts form_;
    HWND mainWindow_;
    HWND formHwnd_ = nullptr;
    HWND scrollPanel_ = nullptr;
    HWND panelBot_ = nullptr;
    HWND buttonOk_ = nullptr;
    HWND checkShow_ = nullptr;
    // The control that had the focus when the dialog was last active; it gets it back.
    HWND lastFocus_ = nullptr;
    UINT dpi_ = 96;
    UniqueFont font_;
    std::map<int, HWND> boxes_;
    std::map<int, Subclass> boxHooks_;
    Subclass formHook_;
    Subclass panelHooks_[2];
    std::map<int, int> boxTops_; // unscrolled top of each box, in screen pixels
    int nextBox_ = 1;
    int scrollPos_ = 0;
    DialogSize maxSize_{}; // in screen pixels, like the screen size
    DialogClose result_ = DialogClose::None;
    bool ready_ = false;
};

} // namespace tw::win32
