#pragma once
// Where a dialog opens: centred over an area (its owner, or the screen's work area), then
// moved as little as needed to lie fully on the work area of the screen under that area.
#include <optional>

namespace tw {

struct ScreenBox {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct ScreenPosition {
    int x = 0, y = 0;
    bool operator==(const ScreenPosition&) const = default;
};

// Without a work area (the system could not tell) the dialog is only centred. A dialog larger
// than the work area keeps its top left corner on it.
ScreenPosition PlaceDialog(const ScreenBox& area, int width, int height,
                           const std::optional<ScreenBox>& workArea);

} // namespace tw
