#include "ui/text_format.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <stdexcept>

namespace tw {
namespace {

struct NamedColor {
    const char* name;
    Rgb rgb;
};

constexpr NamedColor kNamedColors[] = {
    {"Black", {0, 0, 0}},       {"Maroon", {128, 0, 0}},    {"Green", {0, 128, 0}},
    {"Olive", {128, 128, 0}},   {"Navy", {0, 0, 128}},      {"Purple", {128, 0, 128}},
    {"Teal", {0, 128, 128}},    {"Gray", {128, 128, 128}},  {"Silver", {192, 192, 192}},
    {"Red", {255, 0, 0}},       {"Lime", {0, 255, 0}},      {"Yellow", {255, 255, 0}},
    {"Blue", {0, 0, 255}},      {"Fuchsia", {255, 0, 255}}, {"Aqua", {0, 255, 255}},
    {"White", {255, 255, 255}},
};

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    return !LessIgnoringCase(a, b) && !LessIgnoringCase(b, a);
}

} // namespace

ParagraphAlignment AlignmentOfTag(int tag) {
    switch (tag) {
    case 0:
        return ParagraphAlignment::Left;
    case 1:
        return ParagraphAlignment::Right;
    case 2:
        return ParagraphAlignment::Center;
    default:
        return ParagraphAlignment::Other;
    }
}

const std::array<TextColor, kColorTableSize>& ColorTable() {
    static const std::array<TextColor, kColorTableSize> table = [] {
        std::array<TextColor, kColorTableSize> t{};
        for (std::size_t i = 0; i < std::size(kNamedColors); ++i) {
            t[i] = TextColor::Of(kNamedColors[i].rgb);
        }
        t[kColorTableSize - 1] = TextColor::Automatic();
        return t;
    }();
    return table;
}

std::string ColorCaption(const TextColor& color) {
    if (color.automatic) {
        return "Automatic";
    }
    for (const NamedColor& named : kNamedColors) {
        if (named.rgb == color.rgb) {
            return named.name;
        }
    }
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02X%02X%02X", color.rgb.r, color.rgb.g, color.rgb.b);
    return hex;
}

int CheckedColorEntry(const TextColor& color) {
    const auto& table = ColorTable();
    const auto it = std::find(table.begin(), table.end(), color);
    return it == table.end() ? -1 : static_cast<int>(it - table.begin());
}

int ParseWholeNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        ++i;
    }
    long long value = 0;
    const std::size_t digits = i;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            break;
        }
    }
    value = negative ? -value : value;
    if (i == digits || i != text.size() || value > INT_MAX || value < INT_MIN) {
        throw std::runtime_error("'" + text + "' is not a valid integer value");
    }
    return static_cast<int>(value);
}

std::vector<std::string> SortedFontNames(std::vector<std::string> names) {
    std::stable_sort(names.begin(), names.end(), LessIgnoringCase);
    names.erase(std::unique(names.begin(), names.end(), EqualIgnoringCase), names.end());
    return names;
}

} // namespace tw
