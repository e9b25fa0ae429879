#include "expansion/html_blocks.h"

#include <algorithm>

namespace tw {
namespace {

// 22 inches: more than any page, less than anything that overflows a layout.
constexpr long long kMaxTwips = 31680;

const char* ListStyle(RtfNumbering numbering) {
    switch (numbering) {
    case RtfNumbering::Decimal:
        return "decimal";
    case RtfNumbering::UpperRoman:
        return "upper-roman";
    case RtfNumbering::LowerRoman:
        return "lower-roman";
    case RtfNumbering::UpperLetter:
        return "upper-alpha";
    case RtfNumbering::LowerLetter:
        return "lower-alpha";
    case RtfNumbering::Bullet:
        break;
    }
    return "disc";
}

std::string ParagraphStyle(const HtmlParagraph& f, bool indents) {
    std::string style = "margin:" + TwipsAsPoints(f.before) + "pt " + TwipsAsPoints(f.right) +
                        "pt " + TwipsAsPoints(f.after) + "pt " +
                        TwipsAsPoints(indents ? f.left : 0) + "pt";
    if (indents && f.first != 0) {
        style += ";text-indent:" + TwipsAsPoints(f.first) + "pt";
    }
    static constexpr const char* kAlign[] = {"", ";text-align:center", ";text-align:right",
                                             ";text-align:justify"};
    style += kAlign[static_cast<int>(f.align)];
    return style + ";white-space:pre-wrap";
}

// A block's content with the <br> that keeps its last line showing.
std::string Filled(HtmlInline content) {
    if (content.open) {
        content.html += "<br>";
    }
    return std::move(content.html);
}

HtmlInline Joined(std::vector<HtmlInline>& parts) {
    HtmlInline joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            joined.Append({"<br>", true});
        }
        joined.Append(parts[i]);
    }
    parts.clear();
    return joined;
}

} // namespace

void HtmlInline::Append(const HtmlInline& more) {
    if (!more.html.empty()) {
        html += more.html;
        open = more.open;
    }
}

std::string TwipsAsPoints(long long twips) {
    const long long t = std::clamp(twips, -kMaxTwips, kMaxTwips);
    const long long whole = t / 20;
    const long long hundredths = (t < 0 ? -t : t) % 20 * 5;
    std::string text = (t < 0 && whole == 0 ? "-" : "") + std::to_string(whole);
    if (hundredths != 0) {
        text += '.';
        text += static_cast<char>('0' + hundredths / 10);
        if (hundredths % 10 != 0) {
            text += static_cast<char>('0' + hundredths % 10);
        }
    }
    return text;
}

void HtmlBlocks::Paragraph(const HtmlParagraph& format, HtmlInline content) {
    if (format.inTable) {
        cellParagraphs_.push_back(std::move(content));
        return;
    }
    content = TakeLeftovers(format, std::move(content));
    if (format.listed) {
        ListItem(format, std::move(content));
    } else {
        Block(format, std::move(content));
    }
}

void HtmlBlocks::LastParagraph(const HtmlParagraph& format, HtmlInline content) {
    HtmlParagraph plain = format;
    plain.inTable = false;
    if (content.html.empty()) {
        if (!cellParagraphs_.empty()) {
            // The table's last paragraph had its mark: nothing follows it.
            content = std::move(cellParagraphs_.back());
            cellParagraphs_.pop_back();
            Paragraph(plain, std::move(content));
        } else if (!rowCells_.empty()) {
            Paragraph(plain, std::move(content));
        }
        return;
    }
    // A line break at the very end shows no further line, as after a paste of the plain text.
    content.open = false;
    Paragraph(plain, std::move(content));
}

void HtmlBlocks::Cell(HtmlInline content) {
    cellParagraphs_.push_back(std::move(content));
    rowCells_.push_back(Joined(cellParagraphs_));
}

void HtmlBlocks::Row(const HtmlParagraph& format, HtmlInline content) {
    if (!content.html.empty() || !cellParagraphs_.empty()) {
        // Text after the last cell: the row is no table row, its text a paragraph.
        HtmlParagraph plain = format;
        plain.inTable = false;
        plain.listed = false;
        Paragraph(plain, std::move(content));
        return;
    }
    CloseLists(0);
    if (!tableOpen_) {
        out_ += "<table style=\"border-collapse:collapse\">";
        tableOpen_ = true;
    }
    out_ += "<tr>";
    for (HtmlInline& cell : rowCells_) {
        out_ += "<td style=\"border:1px solid #808080;padding:0 4pt;vertical-align:top;"
                "white-space:pre-wrap\">";
        out_ += Filled(std::move(cell));
        out_ += "</td>";
    }
    rowCells_.clear();
    out_ += "</tr>";
}

std::string HtmlBlocks::Finish() {
    if (!cellParagraphs_.empty() || !rowCells_.empty()) {
        LastParagraph(HtmlParagraph{}, {});
    }
    CloseLists(0);
    CloseTable();
    return std::move(out_);
}

HtmlInline HtmlBlocks::TakeLeftovers(const HtmlParagraph& format, HtmlInline content) {
    CloseTable();
    if (rowCells_.empty() && cellParagraphs_.empty()) {
        return content;
    }
    HtmlInline first;
    for (HtmlInline& cell : rowCells_) {
        first.Append(cell);
        first.Append({"\t", false});
    }
    rowCells_.clear();
    std::vector<HtmlInline> paragraphs = std::move(cellParagraphs_);
    cellParagraphs_.clear();
    paragraphs.push_back(std::move(content));
    first.Append(paragraphs.front());
    HtmlParagraph plain = format;
    plain.listed = false;
    for (std::size_t i = 0; i + 1 < paragraphs.size(); ++i) {
        Block(plain, i == 0 ? std::move(first) : std::move(paragraphs[i]));
    }
    return paragraphs.size() == 1 ? first : std::move(paragraphs.back());
}

void HtmlBlocks::Block(const HtmlParagraph& format, HtmlInline content) {
    CloseLists(0);
    out_ += "<p style=\"" + ParagraphStyle(format, true) + "\">";
    out_ += Filled(std::move(content));
    out_ += "</p>";
}

void HtmlBlocks::ListItem(const HtmlParagraph& format, HtmlInline content) {
    const std::size_t depth =
        static_cast<std::size_t>(std::clamp(format.level, 0, kMaxListDepth - 1)) + 1;
    CloseLists(depth);
    if (lists_.size() == depth && lists_.back() != format.numbering) {
        CloseLists(depth - 1);
    }
    // A deeper level is a list inside the one above it, as editors nest them when pasting.
    while (lists_.size() < depth) {
        const bool bullet = format.numbering == RtfNumbering::Bullet;
        out_ += bullet ? "<ul" : "<ol";
        if (!bullet && format.start != 1 && lists_.size() + 1 == depth) {
            out_ += " start=\"" + std::to_string(format.start) + "\"";
        }
        out_ += " style=\"margin-top:0;margin-bottom:0;list-style-type:";
        out_ += ListStyle(format.numbering);
        out_ += "\">";
        lists_.push_back(format.numbering);
    }
    out_ += "<li style=\"" + ParagraphStyle(format, false) + "\">";
    out_ += Filled(std::move(content));
    out_ += "</li>";
}

void HtmlBlocks::CloseLists(std::size_t depth) {
    while (lists_.size() > depth) {
        out_ += lists_.back() == RtfNumbering::Bullet ? "</ul>" : "</ol>";
        lists_.pop_back();
    }
}

void HtmlBlocks::CloseTable() {
    if (tableOpen_) {
        out_ += "</table>";
        tableOpen_ = false;
    }
}

} // namespace tw
