#pragma once
// The search picker's behaviour, free of any window: the query typed, the rows and the
// highlighted one, the preview of the reply as it would arrive, and what Enter, Ctrl+Enter and
// Esc do. The Win32 picker window turns its messages into these calls.
#include "delivery/delivery_state.h"
#include "delivery/delivery_steps.h"
#include "search/library_search_items.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
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

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const ScreenRect&) const = default;
};

// Where the picker opens, on the screen: below the caret of the window in front (above it when
// there is no room below), else over the middle of that window, else in the middle of the work
// area; always whole within the work area of that monitor.
struct PickerPlaceInputs {
    std::optional<ScreenRect> caret;
    std::optional<ScreenRect> window;
    ScreenRect workArea;
    int width = 0;
    int height = 0;
};
ScreenRect PickerPlace(const PickerPlaceInputs& in);

// What the picker's hot key does, from what the program sees when it is pressed.
struct PickerOpeningFacts {
    bool open = false;          // the picker is open already
    bool libraryLoaded = false; // nothing to search before
    // Each opening needs a window never shown before (under Wine: one once active no longer
    // gets the keyboard at once when it shows again).
    bool windowPerOpening = false;
    bool windowShown = false; // a window from an earlier opening is there
    bool windowAhead = false; // a window made ahead and never shown is there
    bool hasFront = false;    // a window is in front
    bool frontIsOurs = false; // it is the main window or one of its own
};
enum class PickerWindowChoice { Shown, Ahead, New };
struct PickerOpening {
    // Refocus: it is open, the keyboard goes back to it; Nothing: no library to search.
    enum class Kind { Refocus, Nothing, Open } kind = Kind::Nothing;
    PickerWindowChoice window = PickerWindowChoice::New;
    // The reply goes into the window in front; else, in front of our own, it is only copied.
    bool pasteIntoFront = false;
    bool operator==(const PickerOpening&) const = default;
};
PickerOpening DecidePickerOpening(const PickerOpeningFacts& facts);

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
    // `target`: the window the plan pastes into, 0 when it only copies.
    virtual void DeliverPicked(const DeliveryPlan& plan, WindowHandle target) = 0;
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
    // query and the rows Prepare made.
    void Open(WindowHandle target, int x, int y);
    // Work done ahead of an opening (idle work after a close): the library's replies are listed
    // again only when it changed since, and then only what changed is folded again, its texts
    // checked later through ReadTexts; and the rows of an empty query are made, afresh when the
    // replies or the recent ones changed. Nothing while open.
    void Prepare();
    const std::vector<PickerRow>& PreparedRows() const { return preparedRows_; }
    // The preview of the first of them as it would arrive now; empty when there is none.
    std::u16string PreparedPreview() const;
    void QueryChanged(const std::string& query);
    // Up (-1) and Down (+1); the highlight stays on the list.
    void Move(int delta);
    // Enter pastes into the target, Ctrl+Enter only copies; fields are asked for when the
    // reply has them and showMacroIns says so. Texts not read yet are read first, so a word of
    // a text typed fast still finds its reply.
    void Accept(bool copyOnly, int showMacroIns);
    // Esc, or the picker lost the focus: nothing is delivered.
    void Cancel();
    // Idle work, open or closed: checks up to `count` texts, reads those that changed and shows
    // the rows they change, keeping the highlighted reply; false once all are known.
    bool ReadTexts(std::size_t count);

    bool IsOpen() const { return open_; }

private:
    // The rows for the query; `keep` leaves the highlight on the same reply when it is listed.
    void Refresh(bool keep);
    void ShowPreview();
    std::u16string PreviewOf(std::size_t item) const;
    std::vector<PickerRow> RowsOf(const std::vector<SearchHit>& hits) const;

    SearchPickerPorts p_;
    LibrarySearchItems library_;
    ReplySearch search_;
    std::vector<SearchHit> hits_;
    // What Prepare saw last: the library's change count (none before the first) and the recent
    // replies, and the empty query's hits and rows then.
    std::optional<std::uint64_t> listedChanges_;
    std::vector<std::string> preparedRecent_;
    std::optional<std::vector<SearchHit>> preparedHits_;
    std::vector<PickerRow> preparedRows_;
    std::string query_;
    std::size_t textsRead_ = 0;
    // A digest of each reply's source when its text was read, by key.
    std::unordered_map<std::string, std::size_t> textSources_;
    int highlighted_ = -1;
    WindowHandle target_ = 0;
    int x_ = 0;
    int y_ = 0;
    bool open_ = false;
};

} // namespace tw
