#pragma once
// The content of an index list box: items with a display text and the reply they stand for,
// and the selected item. A Win32 list box mirrors it through a ListObserver.
//
// The items are either the model's own (Append, Rebuild) or read from a ListSource on demand
// (Show), so that a list of 100,000 macros is not held twice.
#include <string>
#include <vector>

namespace tw {

class TRep;
class ListModel;

struct ListItem {
    std::string text;
    TRep* rep = nullptr;
};

// Another model whose entries a list box shows without copying them.
class ListSource {
public:
    virtual ~ListSource() = default;
    virtual int SourceCount() const = 0;
    virtual ListItem SourceItem(int index) const = 0;
    // The first item whose text equals `text` with ASCII letters compared without case, or -1.
    // By default a scan; a sorted source may search.
    virtual int SourceIndexOfText(const std::string& text) const;
};

class ListObserver {
public:
    virtual ~ListObserver() = default;
    // The whole content changed (cleared, rebuilt, or the source changed); the selection is -1
    // afterwards unless a SelectionChanged follows.
    virtual void ListReset(const ListModel& list) = 0;
    virtual void ItemAppended(const ListModel& list, int index) = 0;
    virtual void SelectionChanged(const ListModel& list, int index) = 0;
};

class ListModel {
public:
    void SetObserver(ListObserver* observer) { observer_ = observer; }

    int Count() const;
    // An index out of range gives an empty item.
    ListItem Item(int index) const;
    std::vector<ListItem> Items() const;

    void Clear();
    void Append(const std::string& text, TRep* rep);
    void Rebuild(std::vector<ListItem> items);
    // From now on the items are the source's, read when asked; the count is taken now. The
    // source calls Show again after every change it wants seen (a reset for the observer).
    void Show(const ListSource& source);

    // -1 for none; an index out of range also means none.
    int Selected() const { return selected_; }
    void SetSelected(int index);
    // The selected item's text as it was when selected (a source may have changed since).
    const std::string& SelectedText() const { return selectedText_; }
    // First item whose text equals `text` with ASCII letters compared without case; -1 if none.
    int IndexOfText(const std::string& text) const;

private:
    void Reset();

    std::vector<ListItem> items_;
    const ListSource* source_ = nullptr;
    int shownCount_ = 0;
    int selected_ = -1;
    std::string selectedText_;
    ListObserver* observer_ = nullptr;
};

} // namespace tw
