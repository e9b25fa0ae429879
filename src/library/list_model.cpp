#include "library/list_model.h"

#include "library/collation.h"

namespace tw {

int ListSource::SourceIndexOfText(const std::string& text) const {
    const int count = SourceCount();
    for (int i = 0; i < count; ++i) {
        if (SameTextAscii(SourceItem(i).text, text)) {
            return i;
        }
    }
    return -1;
}

int ListModel::Count() const {
    return source_ ? shownCount_ : static_cast<int>(items_.size());
}

ListItem ListModel::Item(int index) const {
    if (index < 0 || index >= Count()) {
        return {};
    }
    if (source_) {
        return index < source_->SourceCount() ? source_->SourceItem(index) : ListItem{};
    }
    return items_[static_cast<std::size_t>(index)];
}

std::vector<ListItem> ListModel::Items() const {
    std::vector<ListItem> out;
    out.reserve(static_cast<std::size_t>(Count()));
    for (int i = 0; i < Count(); ++i) {
        out.push_back(Item(i));
    }
    return out;
}

void ListModel::Reset() {
    selected_ = -1;
    selectedText_.clear();
    if (observer_) {
        observer_->ListReset(*this);
    }
}

void ListModel::Clear() {
    items_.clear();
    source_ = nullptr;
    Reset();
}

void ListModel::Append(const std::string& text, TRep* rep) {
    if (source_) {
        items_ = Items();
        source_ = nullptr;
    }
    items_.push_back(ListItem{text, rep});
    if (observer_) {
        observer_->ItemAppended(*this, Count() - 1);
    }
}

void ListModel::Rebuild(std::vector<ListItem> items) {
    items_ = std::move(items);
    source_ = nullptr;
    Reset();
}

void ListModel::Show(const ListSource& source) {
    items_.clear();
    source_ = &source;
    shownCount_ = source.SourceCount();
    Reset();
}

void ListModel::SetSelected(int index) {
    if (index < 0 || index >= Count()) {
        index = -1;
    }
    if (index == selected_) {
        return;
    }
    selected_ = index;
    selectedText_ = index >= 0 ? Item(index).text : std::string();
    if (observer_) {
        observer_->SelectionChanged(*this, selected_);
    }
}

int ListModel::IndexOfText(const std::string& text) const {
    if (source_) {
        const int found = source_->SourceIndexOfText(text);
        return found < shownCount_ ? found : -1;
    }
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (SameTextAscii(items_[i].text, text)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace tw
