#pragma once
// The search picker's behaviour, free of any window: the query typed, the rows and the
// highlighted one, the preview of the reply as it would arrive, and what Enter, Ctrl+Enter and
// Esc do. The Win32 picker window turns its messages into these calls.
#include "delivery/delivery_state.h"
#include "delivery/delivery_steps.h"
#include "search/library_search_items.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tw {

class LocalClock;
class RecentReplies;
class TRepList;

struct PickerRow {
    std::string name;
    std::string folder;
    std::string trigger; // the macro, else the hot key, else nothing
    bool operator==(const PickerRow&) const = default;
};

class SearchPickerView {
public:
    virtual ~SearchPickerView() = default;
    // -1: no row highlighted (no row matches).
    virtual void ShowRows(const std::vector<PickerRow>& rows, int highlighted) = 0;
    virtual void HighlightRow(int row) = 0;
    virtual void ShowPreview(const std::u16string& text) = 0;
    // The picker goes away; the focus returns to the window that was in front.
    virtual void ClosePicker() = 0;
};

// Runs a picker's delivery through the one executor, after the picker has closed.
class PickerDeliveryPort {
public:
    virtual ~PickerDeliveryPort() = default;
    virtual void DeliverPicked(const DeliveryPlan& plan) = 0;
};

struct SearchPickerPorts {
    const TRepList& library;
    const RecentReplies& recent;
    SearchPickerView& view;
    LocalClock& clock;
    PickerDeliveryPort& delivery;
};

class SearchPicker {
public:
    // Rows shown at the most: more than a screen holds, few enough to fill at once.
    static constexpr std::size_t kMaxRows = 200;

    explicit SearchPicker(SearchPickerPorts ports) : p_(ports) {}

    // Opens over the window in front (`target`), centred at x, y on the screen, with an empty
    // query. The library is read afresh; the texts come later through ReadTexts.
    void Open(WindowHandle target, int x, int y);
    void QueryChanged(const std::string& query);
    // Up (-1) and Down (+1); the highlight stays on the list.
    void Move(int delta);
    // Enter pastes into the target, Ctrl+Enter only copies; fields are asked for when the
    // reply has them and showMacroIns says so.
    void Accept(bool copyOnly, int showMacroIns);
    // Esc, or the picker lost the focus: nothing is delivered.
    void Cancel();
    // Idle work: reads up to `count` texts not yet known; false once all are known.
    bool ReadTexts(std::size_t count);

    bool IsOpen() const { return open_; }

private:
    void Refresh();
    void ShowPreview();

    SearchPickerPorts p_;
    LibrarySearchItems library_;
    ReplySearch search_;
    std::vector<SearchHit> hits_;
    std::string query_;
    std::size_t textsRead_ = 0;
    int highlighted_ = -1;
    WindowHandle target_ = 0;
    int x_ = 0;
    int y_ = 0;
    bool open_ = false;
};

} // namespace tw
