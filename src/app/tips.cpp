#include "app/tips.h"

namespace tw {

const std::vector<std::string>& StandardTips() {
    static const std::vector<std::string> kTips = {
        "To force a newline in a paragraph with the same spacing as if the text had wrapped at the "
        "end of the line, press Shift+Enter.",
        "You can Drag text from any other window and Drop directly in the reply editor.",
        "If you just started Textwright, please read tutorial guide. It's available under the help "
        "menu.",
        "You can check our phrases collection by selecting Phrases Collections command under the "
        "Help menu.",
        "Textwright can automaticaly start on windows startup. Use Options menu to configure this "
        "option.",
        "Textwright can work in 'hidden' mode. Just close Textwright window to hide it. To return "
        "its visible status just click its icon in the system tray.",
        "You can check any Textwright updates by selecting Textwright home page under the Help "
        "menu.",
        "You can Drag a reply from the navigation window and Drop it into any place of any window.",
        "You can paste the reply into the previously active window. Use button at the left-bottom "
        "corner to do it.",
        "Assign parametric macro to a reply to customize it. This allows you to make reply "
        "insertions (Name, URL, etc..) on the fly.",
    };
    return kTips;
}

SystemRandom::SystemRandom() : engine_(std::random_device{}()) {}

int SystemRandom::Below(int bound) {
    if (bound <= 1) {
        return 0;
    }
    return std::uniform_int_distribution<int>(0, bound - 1)(engine_);
}

std::string TipPicker::Pick() {
    if (tips_.empty()) {
        return kNoTipsText;
    }
    const int n = static_cast<int>(tips_.size());
    int i = random_.Below(n);
    // A source that strays out of range must not index past the list.
    if (i < 0 || i >= n) {
        i = 0;
    }
    return tips_[static_cast<std::size_t>(i)];
}

} // namespace tw
