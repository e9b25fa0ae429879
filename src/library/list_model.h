#pragma once
// The content of an index list box: items with a display text and the reply they stand for,
// and the selected item. A Win32 list box mirrors it through a ListObserver.
#include <string>
#include <vector>

namespace tw {

class TRep;
class ListModel;

struct ListItem {
    std::string text;
    TRep* rep = nullptr;
};

class ListObserver {
public:
    virtual ~ListObserver() = default;
    // The whole content changed (cleared or rebuilt); the selection is -1 afterwards unless a
    // SelectionChanged follows.
    virtual void ListReset(const ListModel& list) = 0;
    virtual void ItemAppended(const ListModel& list, int index) = 0;
    virtual void SelectionChanged(const ListModel& list, int index) = 0;
};

class ListModel {
public:
    void SetObserver(ListObserver* observer) { observer_ = observer; }

    int Count() const { return static_cast<int>(items_.size()); }
    const ListItem& Item(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    const std::vector<ListItem>& Items() const { return items_; }

    void Clear();
    void Append(const std::string& text, TRep* rep);
    void Rebuild(std::vector<ListItem> items);

    // -1 for none; an index out of range also means none.
    int Selected() const { return selected_; }
    void SetSelected(int index);
    // First item whose text equals `text` with ASCII letters compared without case; -1 if none.
    int IndexOfText(const std::string& text) const;

private:
    std::vector<ListItem> items_;
    int selected_ = -1;
    ListObserver* observer_ = nullptr;
};

} // namespace tw
