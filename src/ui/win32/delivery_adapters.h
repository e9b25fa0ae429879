#pragma once
// The main window's two delivery ports that need its own windows: the insertions dialog centred
// on a delivery button, and the trace of arriving key messages.
#include "delivery/win32/delivery_trace.h"
#include "expansion/insertions_dialog.h"
#include "expansion/win32/macro_inserts_window.h"
#include "ui/main_form_ports.h"

#include <functional>
#include <memory>

namespace tw::win32 {

class MainInsertionsDialog : public InsertionsDialogPort {
public:
    // The dialog is made after the main window; `anchorOf` places a delivery button.
    MainInsertionsDialog(const std::unique_ptr<MacroInsertsWindow>& dialog,
                         std::function<InsertionsAnchor(const DialogAnchor&)> anchorOf)
        : dialog_(dialog), anchorOf_(std::move(anchorOf)) {}

    std::optional<std::string> ShowInsertionsDialog(const std::string& fieldList,
                                                    const DialogAnchor& anchor) override;
    bool IsInsertionsDialogVisible() override;
    void CancelInsertionsDialog() override;

private:
    const std::unique_ptr<MacroInsertsWindow>& dialog_;
    std::function<InsertionsAnchor(const DialogAnchor&)> anchorOf_;
};

class KeyTrace : public InputTrace {
public:
    explicit KeyTrace(DeliveryTrace& file) : file_(file) {}
    void KeyMessageArrived(std::uint32_t virtualKeyCode) override {
        file_.KeyArrived(virtualKeyCode);
    }

private:
    DeliveryTrace& file_;
};

} // namespace tw::win32
