#pragma once
// Whether the tray icon is in the notification area: while the main window is hidden, and for
// the time of a balloon while it is shown. Each event says what the icon must do.
namespace tw {

class TrayPresence {
public:
    enum class Change { None, Add, Remove };

    // The main window hid (the icon is wanted) or showed again.
    Change SetWanted(bool wanted);
    // A balloon is about to show; it needs the icon.
    Change BalloonShown();
    // The balloon was clicked, closed or timed out.
    Change BalloonEnded();
    bool Present() const { return wanted_ || forBalloon_; }
    bool Wanted() const { return wanted_; }

private:
    bool wanted_ = false;
    bool forBalloon_ = false; // added only for the balloon
};

} // namespace tw
