#pragma once
// Keeps a Win32 list box (unsorted) equal to one of the core's index lists.
#include "library/list_model.h"

#include <windows.h>

namespace tw::win32 {

class ListBoxMirror : public ListObserver {
public:
    explicit ListBoxMirror(HWND listBox) : view_(listBox) {}
    ~ListBoxMirror() override { Detach(); }
    ListBoxMirror(const ListBoxMirror&) = delete;
    ListBoxMirror& operator=(const ListBoxMirror&) = delete;

    void Attach(ListModel& list);
    void Detach();

    // The model's index for a list box index: they are the same, but this says so in one place.
    int ModelIndexOf(int listBoxIndex) const;
    bool Mirroring() const { return mirroring_ > 0; }

    // Nested; the list box repaints once when the outermost ends.
    void SuspendRedraw();
    void ResumeRedraw();

    void ListReset(const ListModel& list) override;
    void ItemAppended(const ListModel& list, int index) override;
    void SelectionChanged(const ListModel& list, int index) override;

private:
    HWND view_;
    ListModel* list_ = nullptr;
    int mirroring_ = 0;
    int suspended_ = 0;
};

} // namespace tw::win32
