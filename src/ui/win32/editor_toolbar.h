#pragma once
// ToolBarEditor, the toolbar row above Editor. For now it holds the separator Sep7 and the
// drop-down button ButPreDefParams with its menu PopupMenuPreDefParams. The formatting buttons
// are to be inserted in front of Sep7, so that ButPreDefParams stays the last button.
#include "expansion/predefined_insertions.h"

#include "platform/win32/unique_handle.h"

#include <windows.h>

#include <optional>

namespace tw::win32 {

inline constexpr int kToolBarEditorId = 340;
// The command ids of ButPreDefParams and of the menu's items (the item's tag added).
inline constexpr int kButPreDefParamsId = 341;
inline constexpr int kPredefinedInsertionBaseId = 1200;

class EditorToolbar : public InsertionsMenu {
public:
    EditorToolbar(HWND parent, int id);
    EditorToolbar(const EditorToolbar&) = delete;
    EditorToolbar& operator=(const EditorToolbar&) = delete;

    HWND Handle() const { return hwnd_; }
    HMENU PopupMenuPreDefParams() const { return popup_.get(); }
    // The tag of the insertion item a WM_COMMAND id stands for.
    static std::optional<int> InsertionTagOf(int commandId);

    // Places the row at the top of the given width; returns its height.
    int Layout(int left, int top, int width);
    void SetFont(HFONT font);
    void Enable(bool enabled);
    // Opens PopupMenuPreDefParams below its button; the chosen item's WM_COMMAND goes to the
    // toolbar's parent, as for any menu.
    void DropDownPreDefParams();
    // The toolbar's drop-down request and the tooltips' text requests.
    bool OnNotify(const NMHDR& header, LRESULT& result);

    // InsertionsMenu over PopupMenuPreDefParams.
    int ItemCount() override;
    void DeleteLastItem() override;
    void AddItem(const InsertionMenuEntry& entry) override;

private:
    HWND parent_;
    HWND hwnd_ = nullptr;
    UniqueMenu popup_;
};

} // namespace tw::win32
