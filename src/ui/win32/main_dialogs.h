#pragma once
// The options dialog and the about box, made once and shown modally over the main window.
#include "app/options_dialog.h"
#include "app/win32/options_dialog_view.h"
#include "delivery/win32/profiles_page_view.h"
#include "ui/main_form_ports.h"
#include "ui/win32/about_box.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <windows.h>

namespace tw::win32 {

class MainDialogs : public DialogsPort {
public:
    // `owner` is the main window's handle, null until the window exists. `profilesSaved` gets
    // the delivery profiles the options dialog wrote; `optionsClosed` runs after each options
    // dialog, whatever it changed.
    MainDialogs(const HWND& owner, RawRegistry& registry, MessageBoxes& boxes, TopmostPort& topmost,
                std::string programPath,
                std::function<void(const std::vector<DeliveryProfile>&)> profilesSaved,
                std::function<void()> optionsClosed)
        : owner_(owner), options_(registry, boxes, topmost, std::move(programPath)),
          optionsView_(options_), profiles_(registry, boxes, std::move(profilesSaved)),
          profilesView_(profiles_), optionsClosed_(std::move(optionsClosed)) {
        options_.AddPage(profiles_);
        optionsView_.AddPage(profilesView_);
    }
    MainDialogs(HWND&&, RawRegistry&, MessageBoxes&, TopmostPort&, std::string,
                std::function<void(const std::vector<DeliveryProfile>&)>,
                std::function<void()>) = delete; // the owner is followed by reference

    void ShowOptionsDialog() override {
        optionsView_.RunModal(owner_);
        optionsClosed_();
    }
    void ShowAboutBox() override { AboutBox(owner_).ShowModal(); }

private:
    const HWND& owner_;
    TFormOptions options_;
    OptionsDialogView optionsView_;
    ProfilesForm profiles_;
    ProfilesPageView profilesView_;
    std::function<void()> optionsClosed_;
};

} // namespace tw::win32
