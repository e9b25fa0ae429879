#include "ui/win32/rich_formatting.h"

#include "platform/win32/ansi_path.h"
#include "ui/word_at_caret.h"

#include <richedit.h>

#include <algorithm>
#include <cwchar>
#include <string>

namespace tw::win32 {
namespace {

constexpr int kTwipsPerPoint = 20;
// How far around the caret a word is looked for; longer words are cut there.
constexpr LONG kWordReach = 256;

CHARRANGE Selection(HWND hwnd) {
    CHARRANGE range{};
    SendMessageW(hwnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

void Select(HWND hwnd, CHARRANGE range) {
    SendMessageW(hwnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

std::wstring TextRange(HWND hwnd, LONG from, LONG to) {
    std::wstring text(static_cast<std::size_t>(to - from) + 1, L'\0');
    TEXTRANGEW range{{from, to}, text.data()};
    const LRESULT n = SendMessageW(hwnd, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(n, 0)));
    return text;
}

// The word around an empty selection, empty when the caret touches none.
CHARRANGE WordAround(HWND hwnd, LONG caret) {
    const LONG from = std::max<LONG>(0, caret - kWordReach);
    const std::wstring text = TextRange(hwnd, from, caret + kWordReach);
    std::u16string units(text.begin(), text.end());
    const WordSpan span = WordAtCaret(units, static_cast<std::size_t>(caret - from));
    return {from + static_cast<LONG>(span.start), from + static_cast<LONG>(span.end)};
}

WORD AlignmentValue(ParagraphAlignment alignment) {
    switch (alignment) {
    case ParagraphAlignment::Right:
        return PFA_RIGHT;
    case ParagraphAlignment::Center:
        return PFA_CENTER;
    default:
        return PFA_LEFT;
    }
}

PARAFORMAT2 ReadParagraph(HWND hwnd) {
    PARAFORMAT2 pf{};
    pf.cbSize = sizeof pf;
    SendMessageW(hwnd, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    return pf;
}

void WriteParagraph(HWND hwnd, PARAFORMAT2 pf) {
    pf.cbSize = sizeof pf;
    SendMessageW(hwnd, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
}

} // namespace

CharAttributes RichEditFormatting::ReadCharAttributes(AttributeScope) {
    // An empty selection reads the caret's format, which inside a word is the word's.
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof cf;
    SendMessageW(hwnd_, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    CharAttributes a;
    a.bold = (cf.dwEffects & CFE_BOLD) != 0;
    a.italic = (cf.dwEffects & CFE_ITALIC) != 0;
    a.underline = (cf.dwEffects & CFE_UNDERLINE) != 0;
    a.sizePoints = static_cast<int>(cf.yHeight / kTwipsPerPoint);
    a.faceName = WideToAnsi(cf.szFaceName);
    if (cf.dwEffects & CFE_AUTOCOLOR) {
        a.color = TextColor::Automatic();
    } else {
        a.color = TextColor::Of(
            {GetRValue(cf.crTextColor), GetGValue(cf.crTextColor), GetBValue(cf.crTextColor)});
    }
    return a;
}

void RichEditFormatting::WriteCharAttributes(AttributeScope scope, const CharAttributes& a,
                                             unsigned fields) {
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof cf;
    if (fields & kFaceField) {
        cf.dwMask |= CFM_FACE;
        wcsncpy(cf.szFaceName, AnsiToWide(a.faceName).c_str(), LF_FACESIZE - 1);
    }
    if (fields & kSizeField) {
        cf.dwMask |= CFM_SIZE;
        cf.yHeight = a.sizePoints * kTwipsPerPoint;
    }
    const std::pair<unsigned, std::pair<DWORD, bool>> styles[] = {
        {kBoldField, {CFE_BOLD, a.bold}},
        {kItalicField, {CFE_ITALIC, a.italic}},
        {kUnderlineField, {CFE_UNDERLINE, a.underline}},
    };
    for (const auto& [field, effect] : styles) {
        if (fields & field) {
            cf.dwMask |= effect.first; // CFM_BOLD and CFE_BOLD share their bit, and so on
            cf.dwEffects |= effect.second ? effect.first : 0;
        }
    }
    if (fields & kColorField) {
        cf.dwMask |= CFM_COLOR;
        if (a.color.automatic) {
            cf.dwEffects |= CFE_AUTOCOLOR;
        } else {
            cf.crTextColor = RGB(a.color.rgb.r, a.color.rgb.g, a.color.rgb.b);
        }
    }
    const CHARRANGE kept = Selection(hwnd_);
    const CHARRANGE word = scope == AttributeScope::WordAtCaret && kept.cpMin == kept.cpMax
                               ? WordAround(hwnd_, kept.cpMin)
                               : kept;
    if (word.cpMin == word.cpMax) {
        // No word at the caret: what is typed next gets the format.
        SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        return;
    }
    // The word is selected for the change only; the toolbar must not follow that selection.
    const LPARAM events = SendMessageW(hwnd_, EM_GETEVENTMASK, 0, 0);
    SendMessageW(hwnd_, EM_SETEVENTMASK, 0, events & ~static_cast<LPARAM>(ENM_SELCHANGE));
    Select(hwnd_, word);
    SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    Select(hwnd_, kept);
    SendMessageW(hwnd_, EM_SETEVENTMASK, 0, events);
}

ParagraphAlignment RichEditFormatting::SelectionAlignment() {
    const PARAFORMAT2 pf = ReadParagraph(hwnd_);
    if (!(pf.dwMask & PFM_ALIGNMENT)) {
        return ParagraphAlignment::Other; // the paragraphs differ
    }
    switch (pf.wAlignment) {
    case PFA_LEFT:
        return ParagraphAlignment::Left;
    case PFA_RIGHT:
        return ParagraphAlignment::Right;
    case PFA_CENTER:
        return ParagraphAlignment::Center;
    default:
        return ParagraphAlignment::Other;
    }
}

void RichEditFormatting::SetSelectionAlignment(ParagraphAlignment alignment) {
    PARAFORMAT2 pf{};
    pf.dwMask = PFM_ALIGNMENT;
    pf.wAlignment = AlignmentValue(alignment);
    WriteParagraph(hwnd_, pf);
}

int RichEditFormatting::SelectionStartIndent() {
    return static_cast<int>(ReadParagraph(hwnd_).dxStartIndent);
}

void RichEditFormatting::SetSelectionStartIndent(int twips) {
    PARAFORMAT2 pf{};
    pf.dwMask = PFM_STARTINDENT;
    pf.dxStartIndent = twips;
    WriteParagraph(hwnd_, pf);
}

void RichEditFormatting::SetSpaceBefore(int points) {
    PARAFORMAT2 pf{};
    pf.dwMask = PFM_SPACEBEFORE;
    pf.dySpaceBefore = points * kTwipsPerPoint;
    WriteParagraph(hwnd_, pf);
}

void RichEditFormatting::EditorCut() {
    SendMessageW(hwnd_, WM_CUT, 0, 0);
}
void RichEditFormatting::EditorCopy() {
    SendMessageW(hwnd_, WM_COPY, 0, 0);
}
void RichEditFormatting::EditorPaste() {
    SendMessageW(hwnd_, WM_PASTE, 0, 0);
}
void RichEditFormatting::EditorUndo() {
    SendMessageW(hwnd_, EM_UNDO, 0, 0);
}
void RichEditFormatting::EditorRedo() {
    SendMessageW(hwnd_, EM_REDO, 0, 0);
}
void RichEditFormatting::EditorSelectAll() {
    Select(hwnd_, CHARRANGE{0, -1});
}

} // namespace tw::win32
