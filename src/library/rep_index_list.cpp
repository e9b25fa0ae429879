#include "library/rep_index_list.h"

#include "library/collation.h"
#include "library/hot_key.h"

#include <algorithm>

namespace tw {

namespace {

std::string Folded(const std::string& text) {
    std::string f = text;
    for (char& c : f) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return f;
}

} // namespace

void TRepIndexList::EnsureSorted() const {
    if (tombstones_ > 0 && batchDepth_ == 0) {
        std::erase_if(items_, [](const Entry& e) { return e.rep == nullptr; });
        tombstones_ = 0;
    }
    if (pending_.empty()) {
        return;
    }
    auto less = [](const Entry& a, const Entry& b) { return CompareIndexText(a.text, b.text) < 0; };
    std::sort(pending_.begin(), pending_.end(), less);
    const auto middle = static_cast<std::ptrdiff_t>(items_.size());
    items_.insert(items_.end(), std::make_move_iterator(pending_.begin()),
                  std::make_move_iterator(pending_.end()));
    pending_.clear();
    std::inplace_merge(items_.begin(), items_.begin() + middle, items_.end(), less);
}

void TRepIndexList::Add(const std::string& text, TRep* item) {
    if (text.empty() || textOf_.count(item) != 0 || !foldedTexts_.insert(Folded(text)).second) {
        return;
    }
    textOf_[item] = text;
    ++changes_;
    if (Updating) {
        pending_.push_back(Entry{text, item});
        return;
    }
    const std::optional<std::string> selected = SelectedText();
    EnsureSorted();
    items_.insert(items_.begin() + LowerBound(text), Entry{text, item});
    ShowSelecting(selected);
}

int TRepIndexList::Count() const {
    return static_cast<int>(items_.size() + pending_.size());
}

const std::string& TRepIndexList::Get(int position) const {
    EnsureSorted();
    return items_.at(static_cast<std::size_t>(position)).text;
}

TRep* TRepIndexList::Rep(int position) const {
    EnsureSorted();
    return items_.at(static_cast<std::size_t>(position)).rep;
}

void TRepIndexList::Delete(int position) {
    EnsureSorted();
    const auto it = items_.begin() + position;
    foldedTexts_.erase(Folded(it->text));
    textOf_.erase(it->rep);
    ++changes_;
    if (batchDepth_ > 0) {
        // Positions of the other entries stay put until the batch ends, so that removing many
        // entries costs one compaction instead of one shift each.
        it->rep = nullptr;
        ++tombstones_;
    } else {
        items_.erase(it);
    }
    if (!Updating) {
        RefreshUnlessDeferred();
    }
}

void TRepIndexList::Replace(int position, const std::string& text) {
    EnsureSorted();
    Entry& e = items_.at(static_cast<std::size_t>(position));
    const std::string oldFolded = Folded(e.text);
    const std::string newFolded = Folded(text);
    if (newFolded != oldFolded) {
        if (foldedTexts_.count(newFolded) != 0) {
            return;
        }
        foldedTexts_.erase(oldFolded);
        foldedTexts_.insert(newFolded);
    }
    Entry moved{text, e.rep};
    textOf_[e.rep] = text;
    ++changes_;
    items_.erase(items_.begin() + position);
    items_.insert(items_.begin() + LowerBound(text), std::move(moved));
}

ListItem TRepIndexList::SourceItem(int index) const {
    EnsureSorted();
    const Entry& e = items_.at(static_cast<std::size_t>(index));
    return ListItem{DisplayText(e.text), e.rep};
}

std::optional<std::string> TRepIndexList::SelectedText() const {
    return listBox_.Selected() >= 0 ? std::optional<std::string>(listBox_.SelectedText())
                                    : std::nullopt;
}

void TRepIndexList::ShowSelecting(const std::optional<std::string>& text) {
    listBox_.Show(*this);
    if (text) {
        listBox_.SetSelected(listBox_.IndexOfText(*text));
    }
}

void TRepIndexList::Refresh() {
    EnsureSorted();
    listBox_.Show(*this);
}

int TRepIndexList::LowerBound(const std::string& text) const {
    EnsureSorted();
    auto it = std::lower_bound(
        items_.begin(), items_.end(), text,
        [](const Entry& e, const std::string& t) { return CompareIndexText(e.text, t) < 0; });
    return static_cast<int>(it - items_.begin());
}

int TRepIndexList::Find(const std::string& text) const {
    const int p = LowerBound(text);
    if (p < static_cast<int>(items_.size()) && items_[static_cast<std::size_t>(p)].rep &&
        CompareIndexText(items_[static_cast<std::size_t>(p)].text, text) == 0) {
        return p;
    }
    return -1;
}

int TRepIndexList::IndexOf(const TRep* item) const {
    const auto it = textOf_.find(item);
    return it == textOf_.end() ? -1 : Find(it->second);
}

void TRepIndexList::Clear() {
    ++changes_;
    items_.clear();
    tombstones_ = 0;
    pending_.clear();
    foldedTexts_.clear();
    textOf_.clear();
    if (!Updating) {
        RefreshUnlessDeferred();
    }
}

void TRepIndexList::BeginBatch() {
    ++batchDepth_;
}

void TRepIndexList::EndBatch() {
    if (batchDepth_ == 0 || --batchDepth_ > 0) {
        return;
    }
    EnsureSorted();
    if (refreshDeferred_) {
        refreshDeferred_ = false;
        Refresh();
    }
}

void TRepIndexList::RefreshUnlessDeferred() {
    if (batchDepth_ > 0) {
        refreshDeferred_ = true;
    } else {
        Refresh();
    }
}

void TRepHotKeyList::Refresh() {
    TRepIndexList::Refresh();
}

std::string TRepHotKeyList::DisplayText(const std::string& text) const {
    return HotKeyText(text);
}

void TRepMacroList::Refresh() {
    const std::optional<std::string> selected = SelectedText();
    EnsureSorted();
    ShowSelecting(selected);
}

} // namespace tw
