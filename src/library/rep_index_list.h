#pragma once
// The hot-key and macro indexes: sorted texts (by CompareIndexText), each pointing to the reply
// it belongs to, shown in a ListModel. No two entries are equal under that comparison, and a
// reply has at most one entry.
#include "library/list_model.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tw {

class TRep;

class TRepIndexList : public ListSource {
public:
    explicit TRepIndexList(ListModel& listBox) : listBox_(listBox) {}
    virtual ~TRepIndexList() = default;
    TRepIndexList(const TRepIndexList&) = delete;
    TRepIndexList& operator=(const TRepIndexList&) = delete;

    // While true, Add and Delete leave the list box alone (bulk load).
    bool Updating = false;

    ListModel& ListBox() const { return listBox_; }

    // Ignores an empty text, a text already present (under the index comparison) and a reply
    // that already has an entry. Unless Updating, the list box shows the new entry.
    void Add(const std::string& text, TRep* item);
    int Count() const;
    // Grows with every entry added, removed or replaced.
    std::uint64_t Changes() const { return changes_; }
    const std::string& Get(int position) const;
    TRep* Rep(int position) const;
    void Delete(int position);
    // Gives the entry a new text and re-sorts; refused when another entry already has it.
    void Replace(int position, const std::string& text);
    // Makes the list box show the sorted entries as they are now.
    virtual void Refresh();

    // The list box reads the entries from here.
    int SourceCount() const override { return Count(); }
    ListItem SourceItem(int index) const override;

    // Position of the entry equal to text, or -1 (binary search).
    int Find(const std::string& text) const;
    // Where text would be inserted.
    int LowerBound(const std::string& text) const;
    // Position of the item's entry, or -1.
    int IndexOf(const TRep* item) const;
    void Clear();

    // Between these, deletions do not rebuild the list box; the end rebuilds it once. Only
    // Delete and IndexOf may be called in between.
    void BeginBatch();
    void EndBatch();

protected:
    virtual std::string DisplayText(const std::string& text) const { return text; }
    void EnsureSorted() const;
    // The text of the list box's selected row when it was selected.
    std::optional<std::string> SelectedText() const;
    // The list box shows the entries as they are now, with that text selected again.
    void ShowSelecting(const std::optional<std::string>& text);

private:
    struct Entry {
        std::string text;
        TRep* rep;
    };
    void RefreshUnlessDeferred();

    ListModel& listBox_;
    mutable std::vector<Entry> items_;
    // Entries added during a bulk load, merged in on the next read.
    mutable std::vector<Entry> pending_;
    std::unordered_set<std::string> foldedTexts_;
    std::unordered_map<const TRep*, std::string> textOf_;
    mutable std::size_t tombstones_ = 0; // deleted during a batch, still in items_
    int batchDepth_ = 0;
    bool refreshDeferred_ = false;
    std::uint64_t changes_ = 0;
};

class TRepHotKeyList : public TRepIndexList {
public:
    using TRepIndexList::TRepIndexList;
    // Leaves the list box without a selection.
    void Refresh() override;

protected:
    std::string DisplayText(const std::string& text) const override;
};

class TRepMacroList : public TRepIndexList {
public:
    using TRepIndexList::TRepIndexList;
    // Keeps the selected text selected, if it is still there.
    void Refresh() override;
    // A macro is shown as it is, so its row is found by the index's own search.
    int SourceIndexOfText(const std::string& text) const override { return Find(text); }
};

} // namespace tw
