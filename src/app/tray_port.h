#pragma once
// The notification-area icon as the program's logic sees it.
namespace tw {

class TrayIconPort {
public:
    virtual ~TrayIconPort() = default;
    virtual void SetTrayIconVisible(bool visible) = 0;
};

} // namespace tw
