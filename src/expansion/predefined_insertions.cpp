#include "expansion/predefined_insertions.h"

#include "expansion/placeholders.h"

namespace tw {

std::vector<InsertionMenuEntry> PredefinedInsertionsMenuEntries() {
    std::vector<InsertionMenuEntry> entries;
    for (int i = 1; i <= kPlaceholderCount; ++i) {
        InsertionMenuEntry item;
        item.caption = std::string(PlaceholderTable[i - 1]) + " - " +
                       PlaceholderTable[i - 1 + kDescriptionOffset];
        item.tag = i;
        entries.push_back(item);
        if (i % 3 == 0 && i < kPlaceholderCount) {
            entries.push_back(InsertionMenuEntry{"-", 0, true, false});
        }
    }
    return entries;
}

std::optional<std::string> PredefinedInsertionText(int tag) {
    if (tag < 1 || tag > kPlaceholderCount) {
        return std::nullopt;
    }
    return std::string(PlaceholderTable[tag - 1]);
}

void BuildPredefinedInsertionsMenu(InsertionsMenu& menu) {
    while (menu.ItemCount() > 0) {
        menu.DeleteLastItem();
    }
    for (const InsertionMenuEntry& entry : PredefinedInsertionsMenuEntries()) {
        menu.AddItem(entry);
    }
}

} // namespace tw
