#include "expansion/rtf_html.h"

#include "expansion/code_pages.h"
#include "expansion/html_blocks.h"
#include "expansion/html_inline.h"
#include "expansion/rtf_header.h"
#include "expansion/rtf_scanner.h"

#include <algorithm>

namespace tw {
namespace {

enum class FieldPart { None, Instruction, Result };

struct Group {
    HtmlCharFormat chars;
    int codePage = kDefaultCodePage;
    FieldPart field = FieldPart::None;
};

long long Clamped(const RtfToken& t, long long low, long long high) {
    return std::clamp(t.hasParameter ? t.parameter : 0, low, high);
}

class HtmlWriter {
public:
    explicit HtmlWriter(const std::string& source)
        : src_(source), header_(ReadRtfHeader(source)), inline_(header_) {
        Group root;
        root.chars.font = header_.defaultFont;
        root.codePage = header_.CodePageOf(header_.defaultFont);
        groups_.push_back(root);
    }

    std::string Run() {
        RtfScanner scanner(src_);
        for (RtfToken t = scanner.Next(); t.kind != RtfTokenKind::End; t = scanner.Next()) {
            Token(t, scanner);
        }
        Flush();
        blocks_.LastParagraph(para_, inline_.Take());
        return blocks_.Finish();
    }

private:
    void Token(const RtfToken& t, const RtfScanner& scanner) {
        switch (t.kind) {
        case RtfTokenKind::GroupOpen:
            Flush();
            groups_.push_back(groups_.back());
            return;
        case RtfTokenKind::GroupClose:
            Flush();
            if (groups_.size() > 1) {
                const bool leavesResult = groups_.back().field == FieldPart::Result &&
                                          groups_[groups_.size() - 2].field != FieldPart::Result;
                groups_.pop_back();
                if (leavesResult) {
                    inline_.CloseLink();
                }
            }
            return;
        default:
            break;
        }
        if (t.fallback) {
            return;
        }
        if (groups_.back().field == FieldPart::Instruction && !t.inText) {
            Instruction(t);
        }
        if (t.inText) {
            Characters(t);
            return;
        }
        if (t.kind == RtfTokenKind::ControlWord) {
            if (scanner.InText()) {
                Word(t);
            } else if (t.word.substr(0, 2) == "pn") {
                Numbering(t); // inside the hidden {\*\pn ...} of the paragraph
            } else if (t.word == "fldinst") {
                groups_.back().field = FieldPart::Instruction;
            }
        } else if (t.kind == RtfTokenKind::ControlSymbol && scanner.InText()) {
            Symbol(t.value);
        }
    }

    void Characters(const RtfToken& t) {
        Flush();
        const int codePage = groups_.back().codePage;
        if (t.kind == RtfTokenKind::EscapedChar) {
            inline_.Char(CharOfCodePageByte(codePage, t.value), groups_.back().chars);
            return;
        }
        inline_.Bytes(std::string_view(src_).substr(t.begin, t.end - t.begin), codePage,
                      groups_.back().chars);
    }

    // \uN halves wait here until their partner or anything else comes.
    void Flush() {
        if (pairs_) {
            unicode_.Flush(pending_);
            inline_.Utf8(pending_, groups_.back().chars);
            pending_.clear();
            pairs_ = false;
        }
    }

    void Word(const RtfToken& t) {
        const std::string_view w = t.word;
        if (w == "u" && t.hasParameter) {
            unicode_.Add(pending_, t.parameter);
            pairs_ = true;
            return;
        }
        Flush();
        if (CharacterWord(t) || ParagraphWord(t)) {
            return;
        }
        if (w == "par" || w == "sect" || w == "page") {
            blocks_.Paragraph(para_, inline_.Take());
        } else if (w == "line") {
            inline_.Break();
        } else if (w == "cell") {
            blocks_.Cell(inline_.Take());
        } else if (w == "row") {
            blocks_.Row(para_, inline_.Take());
        } else if (w == "field") {
            instruction_.clear();
        } else if (w == "fldrslt") {
            groups_.back().field = FieldPart::Result;
            inline_.OpenLink(instruction_);
        } else if (const char* text = RtfWordText(w)) {
            inline_.Utf8(text, groups_.back().chars);
        }
    }

    bool CharacterWord(const RtfToken& t) {
        HtmlCharFormat& c = groups_.back().chars;
        const std::string_view w = t.word;
        const bool on = !t.hasParameter || t.parameter != 0;
        if (w == "b") {
            c.bold = on;
        } else if (w == "i") {
            c.italic = on;
        } else if (w == "strike" || w == "striked") {
            c.strike = on;
        } else if (w == "ulnone") {
            c.underline = false;
        } else if (w.substr(0, 2) == "ul" && w != "ulc") {
            c.underline = on;
        } else if (w == "f") {
            c.font = t.parameter;
            groups_.back().codePage = header_.CodePageOf(t.parameter);
        } else if (w == "fs") {
            c.halfPoints = static_cast<int>(Clamped(t, 2, 3276));
        } else if (w == "cf") {
            c.color = static_cast<int>(Clamped(t, 0, 1 << 16));
        } else if (w == "highlight" || w == "cb" || w == "chcbpat") {
            c.highlight = static_cast<int>(Clamped(t, 0, 1 << 16));
        } else if (w == "super" || w == "sub" || w == "nosupersub") {
            c.vertical = w == "super" ? 1 : w == "sub" ? -1 : 0;
        } else if (w == "up" || w == "dn") {
            c.vertical = !on ? 0 : w == "up" ? 1 : -1;
        } else if (w == "plain") {
            c = HtmlCharFormat{};
            c.font = header_.defaultFont;
            groups_.back().codePage = header_.CodePageOf(header_.defaultFont);
        } else {
            return false;
        }
        return true;
    }

    bool ParagraphWord(const RtfToken& t) {
        const std::string_view w = t.word;
        constexpr long long kTwips = 1LL << 20;
        if (w == "pard") {
            para_ = HtmlParagraph{};
            listOverride_ = 0;
        } else if (w == "ql" || w == "qc" || w == "qr" || w == "qj") {
            using A = HtmlParagraph::Align;
            para_.align = w == "qc"   ? A::Center
                          : w == "qr" ? A::Right
                          : w == "qj" ? A::Justify
                                      : A::Left;
        } else if (w == "li") {
            para_.left = Clamped(t, -kTwips, kTwips);
        } else if (w == "fi") {
            para_.first = Clamped(t, -kTwips, kTwips);
        } else if (w == "ri") {
            para_.right = Clamped(t, -kTwips, kTwips);
        } else if (w == "sb") {
            para_.before = Clamped(t, 0, kTwips);
        } else if (w == "sa") {
            para_.after = Clamped(t, 0, kTwips);
        } else if (w == "intbl") {
            para_.inTable = true;
        } else if (w == "ls") {
            listOverride_ = t.parameter;
            ListFromTable();
        } else if (w == "ilvl") {
            para_.level = static_cast<int>(Clamped(t, 0, HtmlBlocks::kMaxListDepth - 1));
            ListFromTable();
        } else {
            return false;
        }
        return true;
    }

    void ListFromTable() {
        const auto found = header_.lists.find(listOverride_);
        para_.listed = found != header_.lists.end();
        if (para_.listed && !found->second.empty()) {
            const auto& levels = found->second;
            const RtfListLevel& level =
                levels[std::min(static_cast<std::size_t>(para_.level), levels.size() - 1)];
            para_.numbering = level.numbering;
            para_.start = level.start;
        }
    }

    // The paragraph numbering words of the rich-edit control and older word processors.
    void Numbering(const RtfToken& t) {
        const std::string_view w = t.word;
        static constexpr struct {
            std::string_view word;
            RtfNumbering numbering;
        } kKinds[] = {
            {"pnlvlblt", RtfNumbering::Bullet},     {"pndec", RtfNumbering::Decimal},
            {"pnucrm", RtfNumbering::UpperRoman},   {"pnlcrm", RtfNumbering::LowerRoman},
            {"pnucltr", RtfNumbering::UpperLetter}, {"pnlcltr", RtfNumbering::LowerLetter}};
        for (const auto& kind : kKinds) {
            if (kind.word == w) {
                para_.listed = true;
                para_.numbering = kind.numbering;
                return;
            }
        }
        if (w == "pnlvlbody") {
            para_.listed = true;
            para_.numbering = RtfNumbering::Decimal;
        } else if (w == "pnlvl") {
            para_.listed = true;
            para_.level = static_cast<int>(Clamped(t, 1, HtmlBlocks::kMaxListDepth)) - 1;
        } else if (w == "pnstart") {
            para_.start = static_cast<int>(Clamped(t, 0, 1 << 20));
        }
    }

    void Symbol(unsigned char symbol) {
        Flush();
        if (symbol == '~') {
            inline_.Utf8("\xc2\xa0", groups_.back().chars);
        } else if (symbol == '_') {
            inline_.Utf8("-", groups_.back().chars);
        } else if (symbol == '\r' || symbol == '\n') {
            blocks_.Paragraph(para_, inline_.Take());
        }
    }

    void Instruction(const RtfToken& t) {
        if (instruction_.size() > 2048) {
            return;
        }
        if (t.kind == RtfTokenKind::Text) {
            instruction_.append(src_, t.begin, t.end - t.begin);
        } else if (t.kind == RtfTokenKind::EscapedChar) {
            instruction_ += static_cast<char>(t.value);
        }
    }

    const std::string& src_;
    RtfHeader header_;
    HtmlInlineWriter inline_;
    HtmlBlocks blocks_;
    HtmlParagraph para_;
    long long listOverride_ = 0;
    std::vector<Group> groups_;
    std::string instruction_;
    Utf16Joiner unicode_;
    std::string pending_;
    bool pairs_ = false;
};

std::string PlainTextToHtml(const std::string& text) {
    HtmlBlocks blocks;
    HtmlParagraph format;
    RtfHeader header;
    HtmlInlineWriter line(header);
    const std::u32string chars = DecodeUtf8(text, kDefaultCodePage);
    for (std::size_t i = 0; i < chars.size(); ++i) {
        if (chars[i] == U'\r' || chars[i] == U'\n') {
            blocks.Paragraph(format, line.Take());
            if (chars[i] == U'\r' && i + 1 < chars.size() && chars[i + 1] == U'\n') {
                ++i;
            }
        } else {
            line.Char(chars[i], HtmlCharFormat{});
        }
    }
    blocks.LastParagraph(format, line.Take());
    return blocks.Finish();
}

} // namespace

std::string RtfToHtml(const std::string& source) {
    if (!IsRtfSource(source)) {
        return PlainTextToHtml(source);
    }
    return HtmlWriter(source).Run();
}

} // namespace tw
