#include "ui/main_commands.h"

namespace tw {

std::string ShortcutText(const Shortcut& shortcut) {
    if (shortcut.key == 0) {
        return {};
    }
    std::string text;
    text += shortcut.ctrl ? "Ctrl+" : "";
    text += shortcut.shift ? "Shift+" : "";
    text += shortcut.alt ? "Alt+" : "";
    if (shortcut.key == kKeyDelete) {
        text += "Del";
    } else if (shortcut.key >= kKeyF1 && shortcut.key < kKeyF1 + 12) {
        text += "F" + std::to_string(shortcut.key - kKeyF1 + 1);
    } else {
        text += static_cast<char>(shortcut.key);
    }
    return text;
}

std::string MenuText(const CommandRow& row) {
    const std::string keys = ShortcutText(row.shortcut);
    return keys.empty() ? row.caption : std::string(row.caption) + "\t" + keys;
}

std::string PlainCaption(const char* caption) {
    std::string plain;
    for (const char* c = caption; *c; ++c) {
        if (*c == '&' && c[1] != '\0') {
            ++c; // "&&" stands for one ampersand
        }
        plain += *c;
    }
    return plain;
}

} // namespace tw
