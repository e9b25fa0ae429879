#include "library/rep_list.h"

#include "library/hot_key.h"
#include "library/library_error.h"
#include "library/listing_prefetch.h"
#include "library/pending_change.h"
#include "platform/file_system.h"
#include "platform/message_boxes.h"

namespace tw {

TRepList::TRepList(ReplyTree& tree, ListModel& hotKeyListBox, ListModel& macroListBox,
                   MessageBoxes* messages)
    : Tree(tree), HotKeys(hotKeyListBox), Macros(macroListBox), messages_(messages) {}

TRepList::~TRepList() {
    ClearAll();
}

int TRepList::AddItem(const std::string& name, TreeNode* parent) {
    auto rep = std::make_unique<TRep>();
    rep->owner_ = this;
    rep->listPos_ = items_.size();
    rep->Node = Tree.AddChild(parent, name, rep.get());
    items_.push_back(std::move(rep));
    return static_cast<int>(items_.size() - 1);
}

void TRepList::DeleteAt(int position) {
    const auto pos = static_cast<std::size_t>(position);
    TRep* rep = items_.at(pos).get();
    if (rep->Node) {
        Tree.Remove(rep->Node);
    }
    // The last item takes the freed place, so that removing many items stays linear.
    if (pos + 1 != items_.size()) {
        items_[pos] = std::move(items_.back());
        items_[pos]->listPos_ = pos;
    }
    items_.pop_back();
}

void TRepList::RemoveEntries(TRep* item) {
    const int hotKey = HotKeyIndexOf(item);
    if (hotKey >= 0) {
        HotKeys.Delete(hotKey);
    }
    const int macro = MacroIndexOf(item);
    if (macro >= 0) {
        Macros.Delete(macro);
    }
}

void TRepList::RemoveSubtree(TreeNode* node) {
    if (!node) {
        return;
    }
    Tree.BeginUpdate();
    HotKeys.BeginBatch();
    Macros.BeginBatch();
    // Depth first, first child first: always the deepest node down the first-child chain.
    TreeNode* current = node;
    while (true) {
        while (current->HasChildren()) {
            current = current->FirstChild();
        }
        const bool last = current == node;
        TRep* rep = current->Data();
        if (rep) {
            RemoveEntries(rep);
            DeleteAt(static_cast<int>(rep->listPos_));
        } else {
            Tree.Remove(current);
        }
        if (last) {
            break;
        }
        current = node;
    }
    Macros.EndBatch();
    HotKeys.EndBatch();
    Tree.EndUpdate();
}

void TRepList::ClearAll() {
    // One batch around all top-level nodes: a library of many top-level replies must not
    // rebuild its list boxes once per node.
    Tree.BeginUpdate();
    HotKeys.BeginBatch();
    Macros.BeginBatch();
    while (TreeNode* first = Tree.FirstNode()) {
        RemoveSubtree(first);
    }
    items_.clear();
    Macros.EndBatch();
    HotKeys.EndBatch();
    Tree.EndUpdate();
}

void TRepList::BeginLoad() {
    problemsOfLoad_.clear();
    loadProblems_ = &problemsOfLoad_;
    Tree.BeginUpdate();
    HotKeys.Updating = true;
    Macros.Updating = true;
}

void TRepList::EndLoad() {
    Tree.EndUpdate();
    HotKeys.Updating = false;
    Macros.Updating = false;
    HotKeys.Refresh();
    Macros.Refresh();
    loadProblems_ = nullptr;
    if (!problemsOfLoad_.empty()) {
        ReportError(LoadProblemsMessage(problemsOfLoad_));
        problemsOfLoad_.clear();
    }
}

void TRepList::SetBody(TRep* item, const std::vector<std::string>& lines) {
    item->body_ = lines;
    item->bodyOnDisk_ = false;
    ++changes_;
}

void TRepList::ReportError(const std::string& text) const {
    if (loadProblems_) {
        loadProblems_->push_back(text);
    } else if (messages_) {
        messages_->ShowError(text);
    }
}

void TRepList::FinishInterruptedChange() {
    for (const std::string& note : store_.FinishInterruptedChange()) {
        ReportError(note);
    }
}

LibraryResult<> TRepList::ApplyChange(const DiskChange& change) {
    const LibraryResult<std::vector<std::string>> applied = store_.Apply(change);
    if (!applied) {
        return applied.Failure();
    }
    for (const std::string& note : applied.Value()) {
        ReportError(note);
    }
    return {};
}

void LoadReplyLibrary(TRepList& list) {
    list.BeginLoad();
    list.ClearAll();
    list.FinishInterruptedChange();
    list.LoadIndex(list.LibraryRoot() + "index.sub", nullptr);
    list.EndLoad();
}

} // namespace tw
