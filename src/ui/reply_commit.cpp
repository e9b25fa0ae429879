#include "ui/reply_commit.h"

#include "library/hot_key.h"
#include "library/library_error.h"
#include "ui/key_table.h"

namespace tw {

TRep* ReplyCommitter::SelectedRep() const {
    TreeNode* node = list_.Tree.Selected();
    return node ? node->Data() : nullptr;
}

LibraryResult<> ReplyCommitter::CommitCurrentReply(CommitMoment moment) {
    TRep* rep = SelectedRep();
    if (!rep || asking_) {
        return {};
    }
    const LibraryResult<bool> nameStored = CommitName();
    if (!nameStored) {
        return nameStored.Failure();
    }
    if (!rep->IsFolder()) {
        if (auto r = CommitContent(rep, moment); !r) {
            return r;
        }
    }
    // Reported once the text is safe.
    if (!nameStored.Value()) {
        return Failed(UnstorableNameMessage({}));
    }
    return {};
}

LibraryResult<bool> ReplyCommitter::CommitName() {
    TRep* rep = SelectedRep();
    if (!rep) {
        return true;
    }
    bool stored = true;
    if (flags_.NameModified) {
        const std::optional<std::string> name = bar_.NameText();
        if (name && !name->empty()) {
            if (auto r = list_.RenameItem(rep, *name); !r) {
                return r.Failure(); // the flag stays raised
            }
            bar_.SetNameText(rep->Caption());
        } else if (!name) {
            stored = false;
            bar_.SetNameText(rep->Caption());
        }
    }
    flags_.NameModified = false;
    return stored;
}

std::string ReplyCommitter::HotKeyCodeOfBar() {
    const char key = KeyTableChar(bar_.KeyIndex());
    if (!bar_.HotKeyChecked() || key == '\0') {
        return {};
    }
    return EncodeHotKey(bar_.ShiftChecked(), key);
}

LibraryResult<> ReplyCommitter::CommitContent(TRep* reply, CommitMoment moment) {
    if (!flags_.ContentModified || !reply || reply->IsFolder() || asking_) {
        return {};
    }
    // Another reply's macro or hot key is silently not taken over.
    list_.SetMacro(reply, bar_.MacroText());
    list_.SetHotKey(reply, HotKeyCodeOfBar());
    list_.SetBody(reply, editor_.BodyLines());
    const auto saved = list_.SaveReply(reply);
    if (!saved) {
        return saved.Failure(); // the flag stays raised
    }
    if (saved.Value() == TRepList::SaveState::ChangedElsewhere) {
        return SettleChangedElsewhere(reply, moment);
    }
    flags_.ContentModified = false;
    return {};
}

LibraryResult<> ReplyCommitter::SettleChangedElsewhere(TRep* reply, CommitMoment moment) {
    if (moment == CommitMoment::Background && flags_.ChangedElsewhereDeclined) {
        return {};
    }
    auto answer = MessageBoxes::Answer::Yes;
    if (moment != CommitMoment::Leave) {
        const std::string question =
            "\"" + reply->Caption() +
            "\" was changed by another program since Textwright read it.\n\nYes: keep your "
            "version (the other one is kept as \"" +
            reply->Caption() + TRepList::kChangedElsewhereSuffix +
            "\").\nNo: take the other version (your changes are dropped).\nCancel: save "
            "nothing now.";
        asking_ = true;
        answer = boxes_.AskYesNoCancel(question);
        asking_ = false;
    }
    flags_.ChangedElsewhereDeclined = answer == MessageBoxes::Answer::Cancel;
    switch (answer) {
    case MessageBoxes::Answer::Yes:
        if (auto r = list_.KeepMine(reply); !r) {
            return r.Failure();
        }
        flags_.ContentModified = false;
        return {};
    case MessageBoxes::Answer::No:
        if (auto r = list_.TakeTheirs(reply); !r) {
            return r;
        }
        ShowTheirs(reply);
        return {};
    case MessageBoxes::Answer::Cancel:
        return {};
    }
    return {};
}

void ReplyCommitter::ShowTheirs(TRep* reply) {
    editor_.LoadBody(list_.BodyOf(reply));
    list_.HotKeys.ListBox().SetSelected(list_.HotKeyIndexOf(reply));
    list_.Macros.ListBox().SetSelected(list_.MacroIndexOf(reply));
    bar_.SetMacroText(list_.MacroIndexOf(reply) >= 0 ? list_.Macros.Get(list_.MacroIndexOf(reply))
                                                     : std::string());
    flags_ = PendingEdits{}; // loading the fields raised their flags
}

} // namespace tw
