#include "expansion/insertions_dialog.h"

namespace tw {

namespace {

int PullOntoScreen(int start, int length, int screenLength) {
    if (start + length > screenLength) {
        return screenLength - length;
    }
    return start < 0 ? 0 : start;
}

} // namespace

ScreenPoint PlaceInsertionsDialog(const InsertionsAnchor& anchor, DialogSize dialog,
                                  DialogSize screen) {
    ScreenPoint p;
    if (const auto* button = std::get_if<ButtonAnchor>(&anchor)) {
        // The main window's frame, caption and menu bar are not added, as the program always did.
        p.x = button->mainLeft + button->buttonLeft + button->buttonWidth / 2 - dialog.width / 2;
        p.y = button->mainTop + button->panelTop + button->buttonTop + button->buttonHeight / 2 -
              dialog.height / 2;
    } else {
        const auto& drop = std::get<DropPointAnchor>(anchor);
        p.x = drop.x - dialog.width / 2;
        p.y = drop.y - dialog.height / 2;
    }
    p.x = PullOntoScreen(p.x, dialog.width, screen.width);
    p.y = PullOntoScreen(p.y, dialog.height, screen.height);
    return p;
}

bool ShowInsertionsDialog(InsertionsDialogHost& host, TFormMacroInserts& form,
                          const std::string& fieldList, const InsertionsAnchor& anchor) {
    if (std::holds_alternative<DropPointAnchor>(anchor)) {
        host.BringMainWindowToFront();
        host.Wait(50);
    }
    form.PrepareFields(fieldList);
    host.MoveDialog(PlaceInsertionsDialog(anchor, host.DialogOuterSize(), host.ScreenSize()));
    return host.RunModal();
}

} // namespace tw
