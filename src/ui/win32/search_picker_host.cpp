#include "ui/win32/search_picker_host.h"

#include "app/settings.h"

namespace tw::win32 {
namespace {

ScreenRect ToScreenRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// The caret of the window in front, on the screen; nothing when it shows none.
std::optional<ScreenRect> CaretOf(HWND front) {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(front, nullptr), &gui) || !gui.hwndCaret) {
        return std::nullopt;
    }
    RECT r = gui.rcCaret;
    MapWindowPoints(gui.hwndCaret, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return ToScreenRect(r);
}

// Wine's ntdll alone has this export.
bool RunsUnderWine() {
    static const bool wine = [] {
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
}

} // namespace

SearchPickerHost::SearchPickerHost(HWND mainWindow, RawRegistry& registry, MessageBoxes& boxes,
                                   LibraryHost& library, LocalClock& clock, TFormTextwright& form,
                                   DeliveryTrace& trace)
    : main_(mainWindow), registry_(registry), library_(library), clock_(clock), form_(form),
      trace_(trace), registration_(registry, *this, boxes),
      next_(std::make_unique<SearchPickerWindow>()) {}

void SearchPickerHost::ClosePicker() {
    // Before the delivery: its own keys must reach their window.
    typeAhead_.End();
    window_->ClosePicker();
    PostMessageW(main_, kMakeNextWindowMessage, 0, 0);
}

void SearchPickerHost::MakeNextWindow() {
    retired_.reset();
    // The window the next opening would take, made now if it would be a new one.
    PickerOpeningFacts facts = FactsNow(nullptr);
    facts.libraryLoaded = true;
    const PickerOpening next = DecidePickerOpening(facts);
    if (next.kind != PickerOpening::Kind::Open) {
        return;
    }
    if (next.window == PickerWindowChoice::New) {
        next_ = std::make_unique<SearchPickerWindow>();
    }
    SearchPickerWindow* ahead =
        next.window == PickerWindowChoice::Shown ? window_.get() : next_.get();
    if (SearchPicker* picker = Picker(); picker && ahead->Handle()) {
        picker->Prepare();
        ahead->FillAhead(*picker);
    }
}

PickerOpeningFacts SearchPickerHost::FactsNow(HWND front) const {
    return {.open = IsOpen(),
            .libraryLoaded = library_.Replies() != nullptr,
            .windowPerOpening = RunsUnderWine(),
            .windowShown = window_ != nullptr,
            .windowAhead = next_ != nullptr,
            .hasFront = front != nullptr,
            .frontIsOurs = front && GetAncestor(front, GA_ROOT) == main_};
}

SearchPicker* SearchPickerHost::Picker() {
    const TRepList* library = library_.Replies();
    if (!library) {
        return nullptr;
    }
    if (!picker_ || pickerLibrary_ != library) {
        picker_.emplace(SearchPickerPorts{*library, form_.Recent(), *this, clock_, *this});
        pickerLibrary_ = library;
    }
    return &*picker_;
}

SearchPickerHost::~SearchPickerHost() {
    registration_.Stop();
}

void SearchPickerHost::Open() {
    trace_.Step("hotkey");
    HWND front = GetForegroundWindow();
    const PickerOpening opening = DecidePickerOpening(FactsNow(front));
    if (opening.kind == PickerOpening::Kind::Refocus) {
        SetForegroundWindow(window_->Handle());
        return;
    }
    if (opening.kind == PickerOpening::Kind::Nothing || !Picker()) {
        typeAhead_.End(); // nothing to type into
        return;
    }
    // The last opening's window goes after this one has the keyboard, once the picker closes
    // again: destroyed before, under Wine the next window did not get the keyboard from its third
    // opening on; destroyed during the opening, it delays it.
    if (opening.window != PickerWindowChoice::Shown) {
        retired_ = std::move(window_);
        window_ = opening.window == PickerWindowChoice::Ahead
                      ? std::move(next_)
                      : std::make_unique<SearchPickerWindow>();
    }
    if (!window_->Handle()) {
        return;
    }
    window_->Attach(
        {.picker = &*picker_,
         .showMacroIns = [this] { return SettingIsOn(registry_, kShowMacroIns) ? 1 : 0; },
         .typeHeldKeys = [this] { window_->TypeAhead(typeAhead_.Take(), layout_); },
         .step = [this](const char* name) { trace_.Step(name); }});
    HWND target = opening.pasteIntoFront ? front : nullptr;
    const ScreenRect place = PickerPlace(PlaceInputs(front, target));
    trace_.Step("placed");
    // Focus first: keys typed on after the hot key go to the search box from here on.
    window_->ShowAt(place, target);
    trace_.Step("active");
    picker_->Open(reinterpret_cast<WindowHandle>(target), (place.left + place.right) / 2,
                  (place.top + place.bottom) / 2);
    trace_.Step("filled");
    // What was typed since the hot key comes first; what is typed from here on comes the same
    // way while the picker is open.
    layout_ = GetKeyboardLayout(target ? GetWindowThreadProcessId(target, nullptr) : 0);
    window_->TypeAhead(typeAhead_.Claim(window_->Handle()), layout_);
}

PickerPlaceInputs SearchPickerHost::PlaceInputs(HWND front, HWND target) const {
    PickerPlaceInputs in;
    HMONITOR monitor = MonitorFromWindow(front ? front : main_, MONITOR_DEFAULTTONEAREST);
    if (target) {
        in.caret = CaretOf(target);
        RECT r{};
        if (GetWindowRect(target, &r)) {
            in.window = ToScreenRect(r);
        }
        if (in.caret) {
            const POINT caret{in.caret->left, in.caret->top};
            monitor = MonitorFromPoint(caret, MONITOR_DEFAULTTONEAREST);
        }
    }
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    in.workArea = ToScreenRect(info.rcWork);
    const SIZE size = SearchPickerWindow::SizeFor(GetDpiForSystem());
    in.width = size.cx;
    in.height = size.cy;
    return in;
}

void SearchPickerHost::DeliverPicked(const DeliveryPlan& plan, WindowHandle target) {
    form_.DeliverPicked(plan, target);
}

bool SearchPickerHost::RegisterHotKey(const HotKeyChord& chord) {
    const UINT modifiers = (chord.alt ? MOD_ALT : 0) | (chord.ctrl ? MOD_CONTROL : 0) |
                           (chord.shift ? MOD_SHIFT : 0) | MOD_NOREPEAT;
    return ::RegisterHotKey(main_, kHotKeyId, modifiers, chord.key) != FALSE;
}

void SearchPickerHost::UnregisterHotKey() {
    ::UnregisterHotKey(main_, kHotKeyId);
}

} // namespace tw::win32
