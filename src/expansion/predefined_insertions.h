#pragma once
// The menu that inserts a placeholder name into the reply being edited.
#include <optional>
#include <string>
#include <vector>

namespace tw {

struct InsertionMenuEntry {
    std::string caption;
    int tag = 0; // 1..11 for an insertion, 0 for a separator
    bool separator = false;
    bool enabled = true;
    friend bool operator==(const InsertionMenuEntry&, const InsertionMenuEntry&) = default;
};

// Eleven items "%Date - Today (date in full)" ... with a separator after every third.
std::vector<InsertionMenuEntry> PredefinedInsertionsMenuEntries();

// The bare placeholder name an item inserts; nothing for a tag that is no item's.
std::optional<std::string> PredefinedInsertionText(int tag);

// The popup menu of ButPreDefParams.
class InsertionsMenu {
public:
    virtual ~InsertionsMenu() = default;
    virtual int ItemCount() = 0;
    virtual void DeleteLastItem() = 0;
    virtual void AddItem(const InsertionMenuEntry& entry) = 0;
};

// Empties the menu first, so building twice gives the same fourteen entries.
void BuildPredefinedInsertionsMenu(InsertionsMenu& menu);

} // namespace tw
