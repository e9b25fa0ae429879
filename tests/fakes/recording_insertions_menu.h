#pragma once
// PopupMenuPreDefParams as a list of the entries it holds.
#include "expansion/predefined_insertions.h"

#include <vector>

namespace tw::fakes {

class RecordingMenu : public InsertionsMenu {
public:
    int ItemCount() override { return static_cast<int>(items.size()); }
    void DeleteLastItem() override { items.pop_back(); }
    void AddItem(const InsertionMenuEntry& e) override { items.push_back(e); }
    std::vector<InsertionMenuEntry> items;
};

} // namespace tw::fakes
