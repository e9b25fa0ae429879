#pragma once
// Writes the pending edits of the selected node into the library and onto disk.
//
// A failed write comes back as the result and leaves its flag raised, so the next commit tries
// again; the edits stay in the fields, and what was already taken into the model stays there.
#include "library/rep_list.h"
#include "ui/editing_ports.h"
#include "ui/pending_edits.h"

namespace tw {

class ReplyCommitter {
public:
    ReplyCommitter(TRepList& list, PropertyBarView& bar, RichEditorPort& editor,
                   PendingEdits& flags)
        : list_(list), bar_(bar), editor_(editor), flags_(flags) {}

    LibraryResult<> CommitCurrentReply();
    // The Name field's text becomes the selected node's name; an empty text is dropped.
    // False when the typed name was refused (the bar shows the stored one again).
    LibraryResult<bool> CommitName();
    // Macro, hot key and text of a reply, then its file.
    LibraryResult<> CommitContent(TRep* reply);
    // The hot-key code the bar shows now, empty when the Hot Key box is off or no key is chosen.
    std::string HotKeyCodeOfBar();

private:
    TRep* SelectedRep() const;

    TRepList& list_;
    PropertyBarView& bar_;
    RichEditorPort& editor_;
    PendingEdits& flags_;
};

} // namespace tw
