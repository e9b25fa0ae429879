#pragma once
// The library as the main window holds it: the node tree shown in `Navigation`, the index lists
// shown in `ListHotKeys` and `ListMacros`, and the `TRepList` over them.
#include "library/library_follow.h"
#include "library/list_model.h"
#include "library/rep_list.h"
#include "library/reply_tree.h"
#include "platform/message_boxes.h"

#include <memory>
#include <optional>
#include <string>

namespace tw {

class LibraryHost {
public:
    ReplyTree& Tree() { return tree_; }
    ListModel& HotKeyList() { return hotKeys_; }
    ListModel& MacroList() { return macros_; }
    // Null before Create and after Free.
    TRepList* Replies() { return replies_.get(); }

    // With a data folder, starts keep the library's startup index there.
    void Create(const std::string& libraryRoot, const std::string& dataFolder, MessageBoxes& boxes);
    // Loads the whole library again, reading only what changed since.
    void Load();
    // True when someone else changed the library's folders since the last load or check; what
    // this program wrote meanwhile does not count.
    bool ChangedElsewhere();
    // Frees every reply; the views are emptied with the models.
    void Free();

private:
    ReplyTree tree_;
    ListModel hotKeys_;
    ListModel macros_;
    std::unique_ptr<TRepList> replies_;
    WriteTracker tracker_{SystemFileSystem()};
    // The last load's listings until the first check makes them its baseline.
    FolderListings loadListings_;
    std::optional<LibraryListing> listing_;
};

} // namespace tw
