#include "platform/path_rules.h"

#include <type_traits>

namespace tw {

namespace {

template <typename Char> bool PlainName(std::basic_string_view<Char> name) {
    const bool dots = name.size() <= 2 && name.find_first_not_of(Char('.')) == name.npos;
    if (name.empty() || dots) {
        return false;
    }
    for (const Char c : name) {
        const auto code = static_cast<std::make_unsigned_t<Char>>(c);
        if (c == '\\' || c == '/' || c == ':' || code < 0x20 || code == 0x7F) {
            return false;
        }
    }
    return name.back() != '.' && name.back() != ' ';
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

} // namespace

bool IsPlainEntryName(std::u16string_view name) {
    return PlainName(name);
}

bool IsPlainEntryName(std::string_view utf8Name) {
    return PlainName(utf8Name);
}

bool IsInsideRoot(std::string_view root, std::string_view path) {
    if (root.empty() || !IsSeparator(root.back()) || path.size() <= root.size() ||
        path.substr(0, root.size()) != root) {
        return false;
    }
    std::string_view rest = path.substr(root.size());
    if (IsSeparator(rest.back())) {
        rest.remove_suffix(1);
    }
    while (true) {
        std::size_t cut = 0;
        while (cut < rest.size() && !IsSeparator(rest[cut])) {
            ++cut;
        }
        if (!IsPlainEntryName(rest.substr(0, cut))) {
            return false;
        }
        if (cut == rest.size()) {
            return true;
        }
        rest.remove_prefix(cut + 1);
    }
}

std::optional<std::string> ToCodePageExactly(std::u16string_view text, const CodePage& page) {
    bool usedDefault = false;
    std::string bytes = page.FromWide(text, usedDefault);
    if (usedDefault || page.ToWide(bytes) != text) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace tw
