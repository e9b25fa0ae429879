#pragma once
// A library loaded the way the program loads it, without a window: the core tree and list
// models, and load errors written to a stream one line each.
#include "library/rep_list.h"
#include "platform/message_boxes.h"

#include <ostream>
#include <string>

namespace tw::twlib {

class StreamMessageBoxes : public MessageBoxes {
public:
    explicit StreamMessageBoxes(std::ostream& out) : out_(out) {}
    void ShowInfo(const std::string& text) override { out_ << text << '\n'; }
    void ShowWarning(const std::string& text) override { out_ << text << '\n'; }
    void ShowError(const std::string& text) override { out_ << text << '\n'; }
    bool AskYesNo(const std::string& text) override {
        out_ << text << '\n';
        return false;
    }
    // A tool writes nothing it was not asked to.
    Answer AskYesNoCancel(const std::string& text) override {
        out_ << text << '\n';
        return Answer::Cancel;
    }

private:
    std::ostream& out_;
};

struct LoadedLibrary {
    ReplyTree tree;
    ListModel hotKeyBox;
    ListModel macroBox;
    StreamMessageBoxes messages;
    TRepList list;

    LoadedLibrary(const std::string& dir, std::ostream& err)
        : messages(err), list(tree, hotKeyBox, macroBox, &messages) {
        list.SetLibraryRoot(dir);
        LoadReplyLibrary(list);
    }
};

} // namespace tw::twlib
