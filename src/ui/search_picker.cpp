#include "ui/search_picker.h"

#include "delivery/delivery_plan.h"
#include "delivery/reply_content.h"
#include "expansion/apply_replacements.h"
#include "expansion/rtf_plain_text.h"
#include "library/rep_list.h"
#include "library/text_lines.h"

#include <algorithm>
#include <functional>

namespace tw {
namespace {

constexpr std::size_t kNoItem = static_cast<std::size_t>(-1);

} // namespace

ScreenRect PickerPlace(const PickerPlaceInputs& in) {
    const ScreenRect& work = in.workArea;
    // A gap so the caret's line stays readable.
    constexpr int kGap = 4;
    int x = 0, y = 0;
    if (in.caret) {
        x = in.caret->left;
        y = in.caret->bottom + kGap;
        if (y + in.height > work.bottom && in.caret->top - kGap - in.height >= work.top) {
            y = in.caret->top - kGap - in.height;
        }
    } else {
        const ScreenRect& around = in.window ? *in.window : work;
        x = (around.left + around.right - in.width) / 2;
        y = (around.top + around.bottom - in.height) / 2;
    }
    // Left and top win on a work area smaller than the picker: its search box stays in reach.
    x = std::max(work.left, std::min(x, work.right - in.width));
    y = std::max(work.top, std::min(y, work.bottom - in.height));
    return {x, y, x + in.width, y + in.height};
}

PickerOpening DecidePickerOpening(const PickerOpeningFacts& facts) {
    using Kind = PickerOpening::Kind;
    if (facts.open) {
        return {.kind = Kind::Refocus, .window = PickerWindowChoice::Shown};
    }
    if (!facts.libraryLoaded) {
        return {};
    }
    PickerWindowChoice window = PickerWindowChoice::Shown;
    if (facts.windowPerOpening || !facts.windowShown) {
        window = facts.windowAhead ? PickerWindowChoice::Ahead : PickerWindowChoice::New;
    }
    return {.kind = Kind::Open,
            .window = window,
            .pasteIntoFront = facts.hasFront && !facts.frontIsOurs};
}

void SearchPicker::Open(WindowHandle target, int x, int y) {
    target_ = target;
    x_ = x;
    y_ = y;
    query_.clear();
    Prepare();
    open_ = true;
    Refresh(false);
}

void SearchPicker::Prepare() {
    if (open_) {
        return; // the rows shown stand for the replies listed
    }
    if (listedChanges_ != p_.library.Changes()) {
        library_ = SearchItemsOf(p_.library);
        search_.SetItems(std::move(library_.items));
        textsRead_ = 0;
        listedChanges_ = p_.library.Changes();
        preparedHits_.reset();
    }
    if (!preparedHits_ || preparedRecent_ != p_.recent.Keys()) {
        preparedHits_ = search_.Find("", p_.recent, kMaxRows);
        preparedRows_ = RowsOf(*preparedHits_);
        preparedRecent_ = p_.recent.Keys();
    }
}

std::vector<PickerRow> SearchPicker::RowsOf(const std::vector<SearchHit>& hits) const {
    std::vector<PickerRow> rows;
    rows.reserve(hits.size());
    for (const SearchHit& hit : hits) {
        const SearchItem& item = search_.Item(hit.item);
        rows.push_back({item.name, item.folder, item.macro.empty() ? item.hotKey : item.macro});
    }
    return rows;
}

void SearchPicker::QueryChanged(const std::string& query) {
    if (!open_) {
        return;
    }
    query_ = query;
    Refresh(false);
}

void SearchPicker::Refresh(bool keep) {
    // Texts play no part in an empty query's rows, so those made ahead stay good while open.
    const bool prepared = query_.empty() && preparedHits_;
    std::vector<SearchHit> hits =
        prepared ? *preparedHits_ : search_.Find(query_, p_.recent, kMaxRows);
    if (keep && hits == hits_) {
        return;
    }
    const std::size_t before =
        highlighted_ >= 0 ? hits_[static_cast<std::size_t>(highlighted_)].item : kNoItem;
    hits_ = std::move(hits);
    const std::vector<PickerRow> rows = prepared ? preparedRows_ : RowsOf(hits_);
    highlighted_ = hits_.empty() ? -1 : 0;
    for (std::size_t i = 0; keep && i < hits_.size(); ++i) {
        if (hits_[i].item == before) {
            highlighted_ = static_cast<int>(i);
        }
    }
    p_.view.ShowRows(rows, highlighted_);
    ShowPreview();
}

void SearchPicker::ShowPreview() {
    p_.view.ShowPreview(highlighted_ < 0
                            ? std::u16string()
                            : PreviewOf(hits_[static_cast<std::size_t>(highlighted_)].item));
}

std::u16string SearchPicker::PreparedPreview() const {
    return preparedHits_ && !preparedHits_->empty() ? PreviewOf(preparedHits_->front().item)
                                                    : std::u16string();
}

std::u16string SearchPicker::PreviewOf(std::size_t item) const {
    const std::string source = JoinLines(p_.library.BodyOf(library_.replies[item]));
    return RenderReply(ExpandReplySource(source, "", "", p_.clock)).text;
}

void SearchPicker::Move(int delta) {
    if (!open_ || hits_.empty()) {
        return;
    }
    const int last = static_cast<int>(hits_.size()) - 1;
    const int moved = std::clamp(highlighted_ + delta, 0, last);
    if (moved != highlighted_) {
        highlighted_ = moved;
        p_.view.HighlightRow(highlighted_);
        ShowPreview();
    }
}

void SearchPicker::Accept(bool copyOnly, int showMacroIns) {
    if (!open_) {
        return;
    }
    if (!query_.empty()) {
        ReadTexts(library_.replies.size());
    }
    if (highlighted_ < 0) {
        return;
    }
    const std::size_t item = hits_[static_cast<std::size_t>(highlighted_)].item;
    TRep* reply = library_.replies[item];
    std::string fields;
    const std::string& macro = search_.Item(item).macro;
    if (!macro.empty()) {
        p_.library.FindMacro(macro, &fields);
    }
    const DeliveryPlan plan = PlanPickerDelivery(
        {reply, showMacroIns, fields, x_, y_, copyOnly ? WindowHandle{0} : target_});
    open_ = false;
    p_.view.ClosePicker();
    p_.delivery.DeliverPicked(plan, copyOnly ? WindowHandle{0} : target_);
}

void SearchPicker::Cancel() {
    if (!open_) {
        return;
    }
    open_ = false;
    p_.view.ClosePicker();
}

bool SearchPicker::ReadTexts(std::size_t count) {
    Prepare(); // closed, the library may have changed since the replies were listed
    const std::size_t end = std::min(library_.replies.size(), textsRead_ + count);
    bool changed = false;
    for (; textsRead_ < end; ++textsRead_) {
        TRep* reply = library_.replies[textsRead_];
        const std::string source = JoinLines(p_.library.BodyOf(reply));
        const std::size_t digest = std::hash<std::string>{}(source);
        const auto [known, added] = textSources_.try_emplace(search_.Item(textsRead_).key, digest);
        if (added || known->second != digest) {
            known->second = digest;
            search_.SetText(textsRead_, RtfToPlainText(source));
            changed = true;
        }
    }
    if (changed && open_ && !query_.empty()) {
        Refresh(true);
    }
    return textsRead_ < library_.replies.size();
}

} // namespace tw
