#include "ui/win32/list_box_mirror.h"

#include "platform/win32/ansi_path.h"

namespace tw::win32 {

namespace {

class Guard {
public:
    explicit Guard(int& depth) : depth_(depth) { ++depth_; }
    ~Guard() { --depth_; }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

private:
    int& depth_;
};

} // namespace

void ListBoxMirror::Attach(ListModel& list) {
    Detach();
    list_ = &list;
    list.SetObserver(this);
    ListReset(list);
    SelectionChanged(list, list.Selected());
}

void ListBoxMirror::Detach() {
    if (list_) {
        list_->SetObserver(nullptr);
        list_ = nullptr;
    }
}

int ListBoxMirror::ModelIndexOf(int listBoxIndex) const {
    if (!list_ || listBoxIndex < 0 || listBoxIndex >= list_->Count()) {
        return -1;
    }
    return listBoxIndex;
}

void ListBoxMirror::ListReset(const ListModel& list) {
    Guard echo(mirroring_);
    SuspendRedraw();
    SendMessageW(view_, LB_RESETCONTENT, 0, 0);
    SendMessageW(view_, LB_INITSTORAGE, static_cast<WPARAM>(list.Count()),
                 static_cast<LPARAM>(list.Count()) * 32);
    // One item at a time: the model reads them from the index, so no copy of the whole list.
    for (int i = 0; i < list.Count(); ++i) {
        SendMessageW(view_, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(AnsiToWide(list.Item(i).text).c_str()));
    }
    ResumeRedraw();
}

void ListBoxMirror::ItemAppended(const ListModel& list, int index) {
    Guard echo(mirroring_);
    SendMessageW(view_, LB_INSERTSTRING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(AnsiToWide(list.Item(index).text).c_str()));
}

void ListBoxMirror::SelectionChanged(const ListModel&, int index) {
    Guard echo(mirroring_);
    SendMessageW(view_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void ListBoxMirror::SuspendRedraw() {
    if (suspended_++ == 0) {
        SendMessageW(view_, WM_SETREDRAW, FALSE, 0);
    }
}

void ListBoxMirror::ResumeRedraw() {
    if (suspended_ > 0 && --suspended_ == 0) {
        SendMessageW(view_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(view_, nullptr, TRUE);
    }
}

} // namespace tw::win32
