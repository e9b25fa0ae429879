#pragma once
// Writes the pending edits of the selected node into the library and onto disk.
//
// A failed write comes back as the result and leaves its flag raised, so the next commit tries
// again; the edits stay in the fields, and what was already taken into the model stays there.
#include "library/rep_list.h"
#include "platform/message_boxes.h"
#include "ui/editing_ports.h"
#include "ui/pending_edits.h"

namespace tw {

// What a commit does with a reply file changed elsewhere. The user's own save asks every time.
// A commit the user did not ask for (focus moving, the program deactivated, the disk followed)
// asks too, unless the user already answered Cancel for this reply: then the edits wait. On
// leaving the reply (another one selected, the program closing) the edits cannot wait, so
// nobody is asked and both versions are kept.
enum class CommitMoment { Save, Background, Leave };

class ReplyCommitter {
public:
    ReplyCommitter(TRepList& list, PropertyBarView& bar, RichEditorPort& editor,
                   PendingEdits& flags, MessageBoxes& boxes)
        : list_(list), bar_(bar), editor_(editor), flags_(flags), boxes_(boxes) {}

    LibraryResult<> CommitCurrentReply(CommitMoment moment = CommitMoment::Save);
    // The Name field's text becomes the selected node's name; an empty text is dropped.
    // False when the typed name was refused (the bar shows the stored one again).
    LibraryResult<bool> CommitName();
    // Macro, hot key and text of a reply, then its file. When the file changed elsewhere the
    // user keeps theirs (the other is kept beside it), takes the other, or cancels (nothing is
    // written and the edits stay pending).
    LibraryResult<> CommitContent(TRep* reply, CommitMoment moment = CommitMoment::Save);
    // The hot-key code the bar shows now, empty when the Hot Key box is off or no key is chosen.
    std::string HotKeyCodeOfBar();

private:
    TRep* SelectedRep() const;
    LibraryResult<> SettleChangedElsewhere(TRep* reply, CommitMoment moment);
    void ShowTheirs(TRep* reply);

    TRepList& list_;
    PropertyBarView& bar_;
    RichEditorPort& editor_;
    PendingEdits& flags_;
    MessageBoxes& boxes_;
    // The question runs a message loop; the commits it causes (focus leaving and coming back)
    // must not ask again.
    bool asking_ = false;
};

} // namespace tw
