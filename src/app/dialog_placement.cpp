#include "app/dialog_placement.h"

#include <algorithm>

namespace tw {

ScreenPosition PlaceDialog(const ScreenBox& area, int width, int height,
                           const std::optional<ScreenBox>& workArea) {
    ScreenPosition p{area.left + (area.right - area.left - width) / 2,
                     area.top + (area.bottom - area.top - height) / 2};
    if (workArea) {
        p.x = std::max(workArea->left, std::min(p.x, workArea->right - width));
        p.y = std::max(workArea->top, std::min(p.y, workArea->bottom - height));
    }
    return p;
}

} // namespace tw
