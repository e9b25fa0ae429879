#pragma once
// Keyboard layouts as tables of what their keys type, for the layout port. Only the keys the
// tests press are listed, as the system's layouts of these names type them.
#include "delivery/keyboard_layout.h"

#include <map>
#include <string>
#include <utility>

namespace tw::testing {

struct LayoutKey {
    // Plain, Shift, AltGr, Shift+AltGr; a leading '!' marks a dead key.
    std::u16string levels[4];
    // Caps Lock types the Shift level (letters, and the French digit row).
    bool caps = false;
};

using LayoutTable = std::map<std::uint8_t, LayoutKey>;

inline constexpr std::uint8_t kWineAltGr = 0xDF;

enum LayoutId : KeyboardLayout { kUs = 1, kUk, kGerman, kFrench, kSwissGerman, kUsInternational };

inline LayoutTable WithLetters(LayoutTable keys) {
    for (char16_t c = u'a'; c <= u'z'; ++c) {
        const auto vk = static_cast<std::uint8_t>(c - u'a' + 'A');
        keys.try_emplace(vk, LayoutKey{{std::u16string(1, c), std::u16string(1, c - 32)}, true});
    }
    return keys;
}

inline LayoutTable DigitRow(const std::u16string& plain, const std::u16string& shifted,
                            LayoutTable keys) {
    const std::u16string vks = u"1234567890";
    for (std::size_t i = 0; i < vks.size(); ++i) {
        LayoutKey& key = keys[static_cast<std::uint8_t>(vks[i])];
        if (key.levels[0].empty()) {
            key.levels[0] = plain.substr(i, 1);
            key.levels[1] = shifted.substr(i, 1);
        }
    }
    return keys;
}

inline const LayoutTable& TableOf(KeyboardLayout layout) {
    static const std::map<KeyboardLayout, LayoutTable> tables = {
        {kUs, WithLetters(DigitRow(u"1234567890", u"!@#$%^&*()",
                                   {{0xBC, {{u",", u"<"}}},
                                    {0xBE, {{u".", u">"}}},
                                    {0xDE, {{u"'", u"\""}}},
                                    {0x6B, {{u"+", u"+"}}}}))},
        {kUk, WithLetters(DigitRow(u"1234567890", u"!\"£$%^&*()",
                                   {{'4', {{u"", u"", u"€"}}},
                                    {0xBC, {{u",", u"<"}}},
                                    {0xC0, {{u"'", u"@"}}},
                                    {0xDE, {{u"#", u"~"}}}}))},
        {kGerman, WithLetters(DigitRow(u"1234567890", u"!\"§$%&/()=",
                                       {{'Q', {{u"q", u"Q", u"@"}, true}},
                                        {'E', {{u"e", u"E", u"€"}, true}},
                                        {'7', {{u"", u"", u"{"}}},
                                        {0xBC, {{u",", u";"}}},
                                        {0xBA, {{u"ü", u"Ü"}, true}},
                                        {0xDC, {{u"!^", u"°"}}},
                                        {0xDD, {{u"!´", u"!`"}}}}))},
        {kFrench, WithLetters(DigitRow(u"&é\"'(-è_çà", u"1234567890",
                                       {{'0', {{u"", u"", u"@"}, true}},
                                        {'1', {{u"", u""}, true}},
                                        {'2', {{u"", u"", u"!~"}, true}},
                                        {'3', {{u"", u"", u"#"}, true}},
                                        {'5', {{u"", u"", u"["}, true}},
                                        {0xBC, {{u",", u"?"}}},
                                        {0xBE, {{u";", u"."}}},
                                        {0xDB, {{u")", u"°", u"]"}}},
                                        {0xDD, {{u"!^", u"!¨"}}}}))},
        {kSwissGerman, WithLetters(DigitRow(u"1234567890", u"+\"*ç%&/()=",
                                            {{'2', {{u"", u"", u"@"}}},
                                             {0xBC, {{u",", u";"}}},
                                             {0xBA, {{u"ü", u"è", u"["}}},
                                             {0xDD, {{u"!^", u"!`", u"!~"}}}}))},
        {kUsInternational, WithLetters(DigitRow(u"1234567890", u"!@#$%^&*()",
                                                {{'6', {{u"6", u"!^"}}},
                                                 {'E', {{u"e", u"E", u"é", u"É"}, true}},
                                                 {0xBC, {{u",", u"<"}}},
                                                 {0xDE, {{u"!'", u"!\""}}},
                                                 {0xC0, {{u"!`", u"!~"}}}}))},
    };
    return tables.at(layout);
}

// The window in front with its layout, Caps Lock and input method.
class FakeKeyboard : public KeyboardLayoutPort {
public:
    KeyboardLayout layout = kUs;
    bool capsLock = false;
    bool inputMethodOpen = false;
    WindowHandle foreground = 0x100;

    WindowHandle ForegroundWindow() override { return foreground; }
    KeyboardLayout LayoutOfWindow(WindowHandle) override { return layout; }
    bool HasAltGr(KeyboardLayout layout) override {
        for (const auto& [vk, key] : TableOf(layout)) {
            if (!key.levels[2].empty()) {
                return true;
            }
        }
        return false;
    }
    // Wine's own key code for the X server's AltGr.
    bool IsAltGrKey(std::uint8_t virtualKey, std::uint8_t, bool) override {
        return virtualKey == kWineAltGr;
    }
    KeyTranslation Translate(KeyboardLayout layout, const KeyStroke& stroke) override {
        const LayoutTable& table = TableOf(layout);
        const auto key = table.find(stroke.virtualKey);
        if (stroke.virtualKey == 0x20) {
            return {KeyTranslation::Kind::Characters, u" "};
        }
        if (key == table.end()) {
            return {};
        }
        const bool shifted = stroke.shift != (stroke.capsLock && key->second.caps);
        const std::u16string& text = key->second.levels[(shifted ? 1 : 0) + (stroke.altGr ? 2 : 0)];
        if (text.size() > 1 && text[0] == u'!') {
            return {KeyTranslation::Kind::DeadKey, text.substr(1)};
        }
        if (text.empty()) {
            return {};
        }
        return {KeyTranslation::Kind::Characters, text};
    }
    std::u16string Compose(KeyboardLayout, char16_t dead, char16_t next) override {
        static const std::map<std::pair<char16_t, char16_t>, char16_t> composed = {
            {{u'^', u'a'}, u'â'}, {{u'^', u'e'}, u'ê'},  {{u'´', u'e'}, u'é'},
            {{u'`', u'a'}, u'à'}, {{u'\'', u'e'}, u'é'}, {{u'"', u'u'}, u'ü'},
            {{u'~', u'n'}, u'ñ'}, {{u'¨', u'u'}, u'ü'}};
        if (next == u' ') {
            return std::u16string(1, dead);
        }
        const auto c = composed.find({dead, next});
        return c != composed.end() ? std::u16string(1, c->second) : std::u16string{dead, next};
    }
    bool CapsLockOn() override { return capsLock; }
    bool InputMethodOpen(WindowHandle) override { return inputMethodOpen; }
};

} // namespace tw::testing
