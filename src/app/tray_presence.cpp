#include "app/tray_presence.h"

namespace tw {

TrayPresence::Change TrayPresence::SetWanted(bool wanted) {
    if (wanted == wanted_) {
        return Change::None;
    }
    const bool present = Present();
    wanted_ = wanted;
    // Hiding the icon ends a balloon on it; wanting it keeps it past the balloon.
    forBalloon_ = false;
    if (present == wanted) {
        return Change::None;
    }
    return wanted ? Change::Add : Change::Remove;
}

TrayPresence::Change TrayPresence::BalloonShown() {
    if (Present()) {
        return Change::None;
    }
    forBalloon_ = true;
    return Change::Add;
}

TrayPresence::Change TrayPresence::BalloonEnded() {
    if (!forBalloon_) {
        return Change::None;
    }
    forBalloon_ = false;
    return Change::Remove;
}

} // namespace tw
