#include "expansion/rtf_header.h"

#include "expansion/code_pages.h"
#include "expansion/rtf_scanner.h"

#include <algorithm>

namespace tw {
namespace {

enum class Dest {
    Root,
    FontTable,
    Font,
    ColorTable,
    ListTable,
    List,
    Level,
    Overrides,
    Override,
    Skip
};

RtfNumbering NumberingOf(long long nfc) {
    switch (nfc) {
    case 0:
        return RtfNumbering::Decimal;
    case 1:
        return RtfNumbering::UpperRoman;
    case 2:
        return RtfNumbering::LowerRoman;
    case 3:
        return RtfNumbering::UpperLetter;
    case 4:
        return RtfNumbering::LowerLetter;
    default:
        return RtfNumbering::Bullet;
    }
}

// Where a group that opens with the word leads, given where it opened.
Dest Enter(Dest outer, std::string_view word) {
    struct Step {
        Dest from;
        std::string_view word;
        Dest to;
    };
    static constexpr Step kSteps[] = {
        {Dest::Root, "fonttbl", Dest::FontTable},
        {Dest::Root, "colortbl", Dest::ColorTable},
        {Dest::Root, "listtable", Dest::ListTable},
        {Dest::Root, "listoverridetable", Dest::Overrides},
        {Dest::FontTable, "f", Dest::Font},
        {Dest::ListTable, "list", Dest::List},
        {Dest::List, "listlevel", Dest::Level},
        {Dest::Overrides, "listoverride", Dest::Override},
    };
    for (const Step& s : kSteps) {
        if (s.from == outer && s.word == word) {
            return s.to;
        }
    }
    // Any other group inside a table holds nothing the tables need (\*\panose, \leveltext, ...).
    return outer == Dest::Root ? Dest::Root : Dest::Skip;
}

class HeaderReader {
public:
    explicit HeaderReader(std::string_view source) : src_(source) {}

    RtfHeader Read() {
        RtfScanner scanner(src_);
        std::vector<Dest> dests;
        bool fresh = false;
        for (RtfToken t = scanner.Next(); t.kind != RtfTokenKind::End && !t.inText;
             t = scanner.Next()) {
            const Dest here = dests.empty() ? Dest::Root : dests.back();
            if (t.kind == RtfTokenKind::GroupOpen) {
                dests.push_back(here == Dest::Font ? Dest::Skip : here);
                fresh = true;
                continue;
            }
            if (t.kind == RtfTokenKind::GroupClose) {
                if (!dests.empty()) {
                    Close(dests.back(), dests.size() > 1 ? dests[dests.size() - 2] : Dest::Root);
                    dests.pop_back();
                }
                fresh = false;
                continue;
            }
            if (t.kind == RtfTokenKind::ControlWord && fresh && !dests.empty()) {
                dests.back() =
                    Enter(dests.size() > 1 ? dests[dests.size() - 2] : Dest::Root, t.word);
            }
            if (t.kind != RtfTokenKind::ControlSymbol || t.value != '*') {
                fresh = false;
            }
            Take(dests.empty() ? Dest::Root : dests.back(), t);
        }
        return std::move(header_);
    }

private:
    void Take(Dest dest, const RtfToken& t) {
        if (t.kind == RtfTokenKind::ControlWord) {
            Word(dest, t.word, t.hasParameter ? t.parameter : 0);
        } else if (t.kind == RtfTokenKind::Text) {
            for (std::size_t p = t.begin; p < t.end; ++p) {
                Char(dest, static_cast<unsigned char>(src_[p]));
            }
        } else if (t.kind == RtfTokenKind::EscapedChar) {
            Char(dest, t.value);
        }
    }

    void Word(Dest dest, std::string_view w, long long n) {
        if (w == "ansicpg" && n > 0 && n < 65536) {
            header_.codePage = static_cast<int>(n);
        } else if (w == "deff" && dest == Dest::Root) {
            header_.defaultFont = static_cast<int>(std::clamp<long long>(n, 0, 1 << 20));
        } else if (dest == Dest::Font || dest == Dest::FontTable) {
            if (w == "f") {
                font_ = n;
                fontNameDone_ = false;
            } else if (w == "fcharset") {
                header_.fonts[font_].codePage = CodePageOfCharset(n);
            } else if (w.size() > 1 && w[0] == 'f' &&
                       (w == "fnil" || w == "froman" || w == "fswiss" || w == "fmodern" ||
                        w == "fscript" || w == "fdecor" || w == "ftech" || w == "fbidi")) {
                header_.fonts[font_].family = std::string(w.substr(1));
            }
        } else if (dest == Dest::ColorTable) {
            const auto value = static_cast<std::uint8_t>(std::clamp<long long>(n, 0, 255));
            if (w == "red") {
                color_.red = value;
            } else if (w == "green") {
                color_.green = value;
            } else if (w == "blue") {
                color_.blue = value;
            } else {
                return;
            }
            color_.automatic = false;
        } else if (dest == Dest::List && w == "listid") {
            listId_ = n;
        } else if (dest == Dest::Level && (w == "levelnfc" || w == "levelnfcn")) {
            level_.numbering = NumberingOf(n);
        } else if (dest == Dest::Level && w == "levelstartat") {
            level_.start = static_cast<int>(std::clamp<long long>(n, 0, 1 << 20));
        } else if (dest == Dest::Override && w == "listid") {
            overrideList_ = n;
        } else if (dest == Dest::Override && w == "ls") {
            overrideLs_ = n;
        }
    }

    void Char(Dest dest, unsigned char c) {
        if (dest == Dest::ColorTable && c == ';') {
            header_.colors.push_back(color_);
            color_ = RtfColor{};
        } else if (dest == Dest::Font || dest == Dest::FontTable) {
            if (c == ';') {
                fontNameDone_ = true;
            } else if (!fontNameDone_ && header_.fonts[font_].name.size() < 64) {
                AppendUtf8(header_.fonts[font_].name, CharOfCodePageByte(kDefaultCodePage, c));
            }
        }
    }

    void Close(Dest dest, Dest outer) {
        if (dest == Dest::Font) {
            fontNameDone_ = false;
        } else if (dest == Dest::Level && outer == Dest::List && levels_.size() < 9) {
            levels_.push_back(level_);
            level_ = RtfListLevel{};
        } else if (dest == Dest::List && outer == Dest::ListTable) {
            byId_[listId_] = std::move(levels_);
            levels_.clear();
        } else if (dest == Dest::Override && outer == Dest::Overrides) {
            if (const auto found = byId_.find(overrideList_); found != byId_.end()) {
                header_.lists[overrideLs_] = found->second;
            }
        }
    }

    std::string_view src_;
    RtfHeader header_;
    long long font_ = 0;
    bool fontNameDone_ = false;
    RtfColor color_{0, 0, 0, true};
    RtfListLevel level_;
    std::vector<RtfListLevel> levels_;
    long long listId_ = 0;
    long long overrideList_ = 0;
    long long overrideLs_ = 0;
    std::map<long long, std::vector<RtfListLevel>> byId_;
};

} // namespace

RtfHeader ReadRtfHeader(std::string_view source) {
    RtfHeader header = HeaderReader(source).Read();
    if (header.codePage == 0) {
        header.codePage = kDefaultCodePage;
    }
    for (auto& [number, font] : header.fonts) {
        // A name's trailing blanks are not part of it.
        while (!font.name.empty() && font.name.back() == ' ') {
            font.name.pop_back();
        }
    }
    return header;
}

int RtfHeader::CodePageOf(long long font) const {
    const auto found = fonts.find(font);
    return found == fonts.end() || found->second.codePage == 0 ? codePage : found->second.codePage;
}

int CodePageOfCharset(long long charset) {
    static constexpr struct {
        long long charset;
        int codePage;
    } kCharsets[] = {{77, 10000}, {128, 932},  {129, 949},  {134, 936},  {136, 950},
                     {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256},
                     {186, 1257}, {204, 1251}, {222, 874},  {238, 1250}};
    for (const auto& entry : kCharsets) {
        if (entry.charset == charset) {
            return entry.codePage;
        }
    }
    return 0;
}

void Utf16Joiner::Add(std::string& out, long long parameter) {
    const auto unit = static_cast<char32_t>(parameter < 0 ? parameter + 65536 : parameter);
    if (high_ != 0 && unit >= 0xDC00 && unit <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((high_ - 0xD800) << 10) + (unit - 0xDC00));
        high_ = 0;
        return;
    }
    Flush(out);
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        high_ = unit;
    } else {
        AppendUtf8(out, (unit >= 0xDC00 && unit <= 0xDFFF) || unit > 0x10FFFF ? U'\xFFFD' : unit);
    }
}

void Utf16Joiner::Flush(std::string& out) {
    if (high_ != 0) {
        AppendUtf8(out, U'\xFFFD');
        high_ = 0;
    }
}

const char* RtfWordText(std::string_view word) {
    static constexpr struct {
        std::string_view word;
        const char* text;
    } kWords[] = {
        {"par", "\r\n"},
        {"line", "\r\n"},
        {"sect", "\r\n"},
        {"page", "\r\n"},
        {"row", "\r\n"},
        {"tab", "\t"},
        {"cell", "\t"},
        {"emdash", "\xe2\x80\x94"},
        {"endash", "\xe2\x80\x93"},
        {"lquote", "\xe2\x80\x98"},
        {"rquote", "\xe2\x80\x99"},
        {"ldblquote", "\xe2\x80\x9c"},
        {"rdblquote", "\xe2\x80\x9d"},
        {"bullet", "\xe2\x80\xa2"},
        {"emspace", "\xe2\x80\x83"},
        {"enspace", "\xe2\x80\x82"},
    };
    for (const auto& entry : kWords) {
        if (entry.word == word) {
            return entry.text;
        }
    }
    return nullptr;
}

} // namespace tw
