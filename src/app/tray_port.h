#pragma once
// The notification-area icon as the program's logic sees it.
#include <string>

namespace tw {

class TrayIconPort {
public:
    virtual ~TrayIconPort() = default;
    virtual void SetTrayIconVisible(bool visible) = 0;
    // A balloon of the icon; the icon shows for it while the main window is visible too. Its
    // click comes back to the main window. Texts in UTF-8.
    virtual void ShowNotice(const std::string& title, const std::string& text) = 0;
};

} // namespace tw
