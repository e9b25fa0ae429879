#include "library/list_model.h"

#include "library/collation.h"

namespace tw {

void ListModel::Clear() {
    items_.clear();
    selected_ = -1;
    if (observer_) {
        observer_->ListReset(*this);
    }
}

void ListModel::Append(const std::string& text, TRep* rep) {
    items_.push_back(ListItem{text, rep});
    if (observer_) {
        observer_->ItemAppended(*this, Count() - 1);
    }
}

void ListModel::Rebuild(std::vector<ListItem> items) {
    items_ = std::move(items);
    selected_ = -1;
    if (observer_) {
        observer_->ListReset(*this);
    }
}

void ListModel::SetSelected(int index) {
    if (index < 0 || index >= Count()) {
        index = -1;
    }
    if (index == selected_) {
        return;
    }
    selected_ = index;
    if (observer_) {
        observer_->SelectionChanged(*this, selected_);
    }
}

int ListModel::IndexOfText(const std::string& text) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (SameTextAscii(items_[i].text, text)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace tw
