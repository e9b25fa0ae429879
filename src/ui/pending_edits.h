#pragma once
// The main window's two pending-edit flags. They concern only the selected node: every other node
// is always saved.
namespace tw {

struct PendingEdits {
    bool NameModified = false;    // EditName changed since the node was loaded or committed
    bool ContentModified = false; // the macro, hot key or text changed likewise
    // The user answered Cancel when told the reply's file changed elsewhere: its edits wait.
    bool ChangedElsewhereDeclined = false;
    bool Any() const { return NameModified || ContentModified; }
};

} // namespace tw
