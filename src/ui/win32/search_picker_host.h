#pragma once
// The search picker in the running program: its global hot key, its window and the picker over
// the main window's library, and the delivery of what is picked through the main window.
#include "app/picker_hot_key.h"
#include "delivery/win32/delivery_trace.h"
#include "expansion/local_clock.h"
#include "ui/library_host.h"
#include "ui/search_picker.h"
#include "ui/textwright_form.h"
#include "ui/win32/search_picker_window.h"
#include "ui/win32/type_ahead_catcher.h"

#include <memory>
#include <optional>

#include <windows.h>

namespace tw::win32 {

// Under Wine a window is made for each opening: a window once active is handed to the window
// manager, which then no longer moves the keyboard to it at once when it shows again. Windows
// shows the one window again.
class SearchPickerHost : public PickerDeliveryPort,
                         public GlobalHotKeyPort,
                         public SearchPickerView {
public:
    // The WM_HOTKEY id on the main window.
    static constexpr int kHotKeyId = 1;
    // Posted to the main window once the picker has closed and after the library has loaded: the
    // next opening's window is made then, outside the messages of the one that closed, and
    // filled with the rows of an empty search, so an opening only shows it.
    static constexpr UINT kMakeNextWindowMessage = WM_APP + 3;
    void MakeNextWindow();

    SearchPickerHost(HWND mainWindow, RawRegistry& registry, MessageBoxes& boxes,
                     LibraryHost& library, LocalClock& clock, TFormTextwright& form,
                     DeliveryTrace& trace);
    ~SearchPickerHost() override;

    // Registers the hot key the settings hold now, at start and after the options.
    void ApplyHotKey() {
        registration_.Apply();
        typeAhead_.Arm(registration_.Registered());
    }
    // The hot key: opens over the window in front, or takes the focus back when open.
    void Open();
    bool IsOpen() const { return picker_ && picker_->IsOpen(); }
    bool Contains(HWND window) const { return window_ && window_->Contains(window); }

    void ShowRows(const std::vector<PickerRow>& rows, int highlighted) override {
        window_->ShowRows(rows, highlighted);
    }
    void HighlightRow(int row) override { window_->HighlightRow(row); }
    void ShowPreview(const std::u16string& text) override { window_->ShowPreview(text); }
    void ClosePicker() override;

    void DeliverPicked(const DeliveryPlan& plan, WindowHandle target) override;
    bool RegisterHotKey(const HotKeyChord& chord) override;
    void UnregisterHotKey() override;

private:
    // Made over the library the first time; made again should the library be another. Null
    // while no library is loaded.
    SearchPicker* Picker();
    PickerOpeningFacts FactsNow(HWND front) const;
    PickerPlaceInputs PlaceInputs(HWND front, HWND target) const;

    HWND main_;
    RawRegistry& registry_;
    LibraryHost& library_;
    LocalClock& clock_;
    TFormTextwright& form_;
    DeliveryTrace& trace_;
    PickerHotKeyRegistration registration_;
    TypeAheadCatcher typeAhead_;
    HKL layout_ = nullptr;
    std::unique_ptr<SearchPickerWindow> window_;
    std::unique_ptr<SearchPickerWindow> next_;
    std::unique_ptr<SearchPickerWindow> retired_;

    std::optional<SearchPicker> picker_;
    const TRepList* pickerLibrary_ = nullptr;
};

} // namespace tw::win32
