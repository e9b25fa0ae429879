#include "delivery/keyboard_layout.h"

#include "delivery/macro_keys.h"

namespace tw {

char16_t CombiningMarkOf(char16_t spacingAccent) {
    switch (spacingAccent) {
    case u'`':
        return 0x0300;
    case u'\'':
    case 0x00B4:
        return 0x0301;
    case u'^':
        return 0x0302;
    case u'~':
        return 0x0303;
    case 0x00AF:
        return 0x0304;
    case 0x02D8:
        return 0x0306;
    case 0x02D9:
        return 0x0307;
    case u'"':
    case 0x00A8:
        return 0x0308;
    case 0x00B0:
    case 0x02DA:
        return 0x030A;
    case 0x02DD:
        return 0x030B;
    case 0x02C7:
        return 0x030C;
    case 0x00B8:
        return 0x0327;
    case 0x02DB:
        return 0x0328;
    default:
        return 0;
    }
}

KeyTranslation FixedUsLayout::Translate(KeyboardLayout, const KeyStroke& stroke) {
    const int i = MacroKeyIndex(stroke.virtualKey);
    if (i < 0) {
        return {};
    }
    const std::string_view chars = stroke.shift ? MacroCharsShifted : MacroCharsPlain;
    return {KeyTranslation::Kind::Characters,
            std::u16string(1, static_cast<char16_t>(chars[static_cast<std::size_t>(i)]))};
}

} // namespace tw
