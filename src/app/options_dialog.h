#pragma once
// The options dialog's logic: which boxes are ticked when it opens and what OK writes. The Win32
// view owns the controls and calls one handler per event.
#include "platform/message_boxes.h"
#include "platform/raw_registry.h"

#include <string>
#include <utility>
#include <vector>

namespace tw {

enum class OptionsBox { TipOfDay, AutoRun, ShowMacroIns, AlwaysOnTop, RestoreClipboard };

class OptionsView {
public:
    virtual ~OptionsView() = default;
    virtual bool IsChecked(OptionsBox box) = 0;
    virtual void SetChecked(OptionsBox box, bool checked) = 0;
    // The search picker's hot key, as the picker hot key setting holds it.
    virtual int PickerHotKey() = 0;
    virtual void SetPickerHotKey(int value) = 0;
    virtual void CloseDialog(bool ok) = 0;
};

// Makes the main window topmost at once, without moving, sizing or activating it.
class TopmostPort {
public:
    virtual ~TopmostPort() = default;
    virtual void MakeMainWindowTopmost() = 0;
};

// A page of the dialog beyond the General one: it reads its settings when the dialog opens and
// writes them on OK; Cancel leaves them as they were.
class OptionsPageForm {
public:
    virtual ~OptionsPageForm() = default;
    virtual void FormShow() = 0;
    virtual void ButtonOkClick() = 0;
};

inline constexpr const char* kAlwaysOnTopRestartWarning =
    "You will need to restart your computer for the change to take effect.";

class TFormOptions {
public:
    TFormOptions(RawRegistry& registry, MessageBoxes& boxes, TopmostPort& mainWindow,
                 std::string programPath)
        : registry_(registry), boxes_(boxes), mainWindow_(mainWindow),
          programPath_(std::move(programPath)) {}

    // The view is attached when its window exists; the dialog is created once and reused.
    void AttachView(OptionsView* view) { view_ = view; }
    void AddPage(OptionsPageForm& page) { pages_.push_back(&page); }

    void FormShow();
    void CheckBoxAlwaysOnTopClick();
    void ButtonOkClick();
    void ButtonCancelClick();

private:
    RawRegistry& registry_;
    MessageBoxes& boxes_;
    TopmostPort& mainWindow_;
    std::string programPath_;
    OptionsView* view_ = nullptr;
    std::vector<OptionsPageForm*> pages_;
};

} // namespace tw
