#pragma once
// The block structure of a reply's HTML: paragraphs, lists and tables, put together from the
// paragraphs and cells a reader of the RTF hands over in document order. Every block that would
// show no line (empty, or ending in a line break) gets a closing <br>, as browsers need to show
// the line the rich text has.
#include "expansion/rtf_header.h"

#include <string>
#include <vector>

namespace tw {

// Inline HTML of a paragraph or cell, and whether its last line is still empty.
struct HtmlInline {
    std::string html;
    bool open = true; // nothing visible yet, or the last thing is a line break

    void Append(const HtmlInline& more);
};

struct HtmlParagraph {
    enum class Align { Left, Center, Right, Justify };
    Align align = Align::Left;
    long long left = 0; // twips
    long long first = 0;
    long long right = 0;
    long long before = 0;
    long long after = 0;
    bool inTable = false;
    bool listed = false;
    RtfNumbering numbering = RtfNumbering::Bullet;
    int level = 0;
    int start = 1;
};

class HtmlBlocks {
public:
    static constexpr int kMaxListDepth = 9;

    // A paragraph ended by a paragraph mark.
    void Paragraph(const HtmlParagraph& format, HtmlInline content);
    // The text after the last paragraph mark.
    void LastParagraph(const HtmlParagraph& format, HtmlInline content);
    // The end of a table cell whose last paragraph is `content`.
    void Cell(HtmlInline content);
    // The end of a table row; `content` is what stands between the last cell and the row's end.
    void Row(const HtmlParagraph& format, HtmlInline content);
    std::string Finish();

private:
    // Cells and paragraphs of a table that never ended as one become text in front of the
    // next paragraph, as the plain text has them.
    HtmlInline TakeLeftovers(const HtmlParagraph& format, HtmlInline content);
    void Block(const HtmlParagraph& format, HtmlInline content);
    void ListItem(const HtmlParagraph& format, HtmlInline content);
    void CloseLists(std::size_t depth);
    void CloseTable();

    std::string out_;
    std::vector<RtfNumbering> lists_;
    std::vector<HtmlInline> cellParagraphs_;
    std::vector<HtmlInline> rowCells_;
    bool tableOpen_ = false;
};

// Twips as points for CSS ("12", "-18", "7.5").
std::string TwipsAsPoints(long long twips);

} // namespace tw
