#pragma once
// ShowInsertionsDialog: where the dialog opens and the order of the steps around it.
#include "expansion/macro_inserts_form.h"

#include <variant>

namespace tw {

// A delivery button of the main window: its place inside PanelBottomRoot, that panel's top in
// the client area, and the main window's top-left corner.
struct ButtonAnchor {
    int mainLeft = 0;
    int mainTop = 0;
    int panelTop = 0;
    int buttonLeft = 0;
    int buttonTop = 0;
    int buttonWidth = 0;
    int buttonHeight = 0;
};

// A drop point in screen coordinates.
struct DropPointAnchor {
    int x = 0;
    int y = 0;
};

using InsertionsAnchor = std::variant<ButtonAnchor, DropPointAnchor>;

// Centres the dialog on the anchor (halves by integer division), then pulls it back onto the
// screen edge it crosses.
ScreenPoint PlaceInsertionsDialog(const InsertionsAnchor& anchor, DialogSize dialog,
                                  DialogSize screen);

// The window side of ShowInsertionsDialog.
class InsertionsDialogHost {
public:
    virtual ~InsertionsDialogHost() = default;
    virtual void BringMainWindowToFront() = 0;
    virtual void Wait(int milliseconds) = 0;
    virtual DialogSize DialogOuterSize() = 0;
    virtual DialogSize ScreenSize() = 0;
    virtual void MoveDialog(ScreenPoint topLeft) = 0;
    // Runs the dialog modally; true when it closed with OK.
    virtual bool RunModal() = 0;
};

// True for OK; the caller then reads form.GetAnswers().
bool ShowInsertionsDialog(InsertionsDialogHost& host, TFormMacroInserts& form,
                          const std::string& fieldList, const InsertionsAnchor& anchor);

} // namespace tw
