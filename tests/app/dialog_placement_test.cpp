#include "app/dialog_placement.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(DialogPlacement, CentredOverTheAreaThenKeptFullyOnTheScreen) {
    const ScreenBox screen{0, 0, 1000, 700};
    const struct {
        const char* what;
        ScreenBox area;
        int width, height;
        std::optional<ScreenBox> work;
        ScreenPosition expected;
    } cases[] = {
        {"owner on the screen", {100, 100, 500, 400}, 200, 100, screen, {200, 200}},
        {"owner smaller than the dialog", {300, 300, 400, 350}, 200, 100, screen, {250, 275}},
        {"owner off the right and bottom", {900, 650, 1300, 950}, 200, 100, screen, {800, 600}},
        {"owner off the left and top", {-400, -300, 0, 0}, 200, 100, screen, {0, 0}},
        {"dialog larger than the screen", {0, 0, 1000, 700}, 1200, 800, screen, {0, 0}},
        {"second monitor",
         {1100, 100, 1500, 400},
         200,
         100,
         ScreenBox{1000, 0, 2000, 700},
         {1200, 200}},
        {"no work area known", {900, 650, 1300, 950}, 200, 100, std::nullopt, {1000, 750}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, PlaceDialog(c.area, c.width, c.height, c.work)) << c.what;
    }
}

} // namespace
} // namespace tw
