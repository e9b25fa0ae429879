#include "ui/search_picker.h"

#include "delivery/delivery_plan.h"
#include "delivery/reply_content.h"
#include "expansion/apply_replacements.h"
#include "library/rep_list.h"
#include "library/text_lines.h"

#include <algorithm>

namespace tw {

void SearchPicker::Open(WindowHandle target, int x, int y) {
    target_ = target;
    x_ = x;
    y_ = y;
    library_ = SearchItemsOf(p_.library);
    search_.SetItems(library_.items);
    textsRead_ = 0;
    query_.clear();
    open_ = true;
    Refresh();
}

void SearchPicker::QueryChanged(const std::string& query) {
    if (!open_) {
        return;
    }
    query_ = query;
    Refresh();
}

void SearchPicker::Refresh() {
    hits_ = search_.Find(query_, p_.recent, kMaxRows);
    std::vector<PickerRow> rows;
    rows.reserve(hits_.size());
    for (const SearchHit& hit : hits_) {
        const SearchItem& item = search_.Item(hit.item);
        rows.push_back({item.name, item.folder, item.macro.empty() ? item.hotKey : item.macro});
    }
    highlighted_ = hits_.empty() ? -1 : 0;
    p_.view.ShowRows(rows, highlighted_);
    ShowPreview();
}

void SearchPicker::ShowPreview() {
    if (highlighted_ < 0) {
        p_.view.ShowPreview(u"");
        return;
    }
    TRep* reply = library_.replies[hits_[static_cast<std::size_t>(highlighted_)].item];
    const std::string source = JoinLines(p_.library.BodyOf(reply));
    p_.view.ShowPreview(RenderReply(ExpandReplySource(source, "", "", p_.clock)).text);
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
    if (!open_ || highlighted_ < 0) {
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
    p_.delivery.DeliverPicked(plan);
}

void SearchPicker::Cancel() {
    if (!open_) {
        return;
    }
    open_ = false;
    p_.view.ClosePicker();
}

bool SearchPicker::ReadTexts(std::size_t count) {
    const std::size_t end = std::min(library_.replies.size(), textsRead_ + count);
    for (; textsRead_ < end; ++textsRead_) {
        search_.SetText(textsRead_, SearchTextOf(p_.library, library_.replies[textsRead_]));
    }
    return textsRead_ < library_.replies.size();
}

} // namespace tw
