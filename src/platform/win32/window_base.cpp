#include "platform/win32/window_base.h"

#include <commctrl.h>

#include <algorithm>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tw::win32 {

namespace {

// The GUI thread's handlers by control. A map rather than a window property, so a handler that
// outlives its control leaves nothing behind on a handle Windows may reuse.
std::unordered_map<HWND, std::vector<ReflectedHandler*>>& Reflected() {
    static thread_local std::unordered_map<HWND, std::vector<ReflectedHandler*>> handlers;
    return handlers;
}

} // namespace

Reflection::Reflection(HWND control, ReflectedHandler handler)
    : control_(control), handler_(std::make_unique<ReflectedHandler>(std::move(handler))) {
    Reflected()[control_].push_back(handler_.get());
}

Reflection::~Reflection() {
    Reset();
}

Reflection::Reflection(Reflection&& other) noexcept
    : control_(std::exchange(other.control_, nullptr)), handler_(std::move(other.handler_)) {}

Reflection& Reflection::operator=(Reflection&& other) noexcept {
    if (this != &other) {
        Reset();
        control_ = std::exchange(other.control_, nullptr);
        handler_ = std::move(other.handler_);
    }
    return *this;
}

void Reflection::Reset() {
    if (!handler_) {
        return;
    }
    auto& all = Reflected();
    if (const auto it = all.find(control_); it != all.end()) {
        std::erase(it->second, handler_.get());
        if (it->second.empty()) {
            all.erase(it);
        }
    }
    handler_.reset();
    control_ = nullptr;
}

Reflection ReflectNotify(HWND control, std::function<bool(const NMHDR&, LRESULT&)> handler) {
    return Reflection(
        control,
        [handler = std::move(handler)](UINT msg, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
            LRESULT result = 0;
            if (msg == WM_NOTIFY && handler(*reinterpret_cast<const NMHDR*>(lp), result)) {
                return result;
            }
            return std::nullopt;
        });
}

Reflection ReflectCommand(HWND control, std::function<bool(WPARAM, LPARAM)> handler) {
    return Reflection(
        control,
        [handler = std::move(handler)](UINT msg, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
            if (msg == WM_COMMAND && handler(wp, lp)) {
                return 0;
            }
            return std::nullopt;
        });
}

HWND SenderOf(UINT msg, WPARAM, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
        return reinterpret_cast<HWND>(lp); // null for menus and accelerators
    case WM_NOTIFY:
        return lp ? reinterpret_cast<const NMHDR*>(lp)->hwndFrom : nullptr;
    case WM_DRAWITEM: {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        return draw && draw->CtlType != ODT_MENU ? draw->hwndItem : nullptr;
    }
    default:
        return nullptr;
    }
}

std::optional<LRESULT> ReflectToSender(UINT msg, WPARAM wp, LPARAM lp) {
    HWND from = SenderOf(msg, wp, lp);
    const auto it = from ? Reflected().find(from) : Reflected().end();
    if (it == Reflected().end()) {
        return std::nullopt;
    }
    // A copy: a handler may make or drop handlers of the same control.
    const std::vector<ReflectedHandler*> handlers = it->second;
    for (ReflectedHandler* handler : handlers) {
        if (auto result = (*handler)(msg, wp, lp)) {
            return result;
        }
    }
    return std::nullopt;
}

WindowBase::~WindowBase() {
    if (hwnd_) {
        // The object is going: no message may reach its handler any more.
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(std::exchange(hwnd_, nullptr));
    }
}

void WindowBase::RegisterWindowClass(WNDCLASSEXW wc) {
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &WindowBase::Procedure;
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExW(wc.hInstance, wc.lpszClassName, &existing)) {
        RegisterClassExW(&wc);
    }
}

HWND WindowBase::CreateWindowFor(DWORD exStyle, const wchar_t* className, const wchar_t* title,
                                 DWORD style, RECT place, HWND parent, HMENU menu) {
    return CreateWindowExW(exStyle, className, title, style, place.left, place.top,
                           place.right - place.left, place.bottom - place.top, parent, menu,
                           GetModuleHandleW(nullptr), this);
}

LRESULT CALLBACK WindowBase::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    if (auto reflected = ReflectToSender(msg, wp, lp)) {
        return *reflected;
    }
    const LRESULT result = self->OnMessage(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

struct Subclass::State {
    HWND control;
    SubclassHandler handler;
    // Deleted by the control's WM_NCDESTROY rather than by a Subclass object.
    bool ownedByControl = false;
};

namespace {

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                              DWORD_PTR data) {
    auto* state = reinterpret_cast<Subclass::State*>(data);
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, SubclassProc, id);
        state->control = nullptr;
        if (state->ownedByControl) {
            delete state;
        }
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
    if (auto result = state->handler(hwnd, msg, wp, lp)) {
        return *result;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

// Each installation's own state is its id, so one control may carry several.
UINT_PTR IdOf(const Subclass::State* state) {
    return reinterpret_cast<UINT_PTR>(state);
}

bool Install(Subclass::State* state) {
    return state->control && SetWindowSubclass(state->control, SubclassProc, IdOf(state),
                                               reinterpret_cast<DWORD_PTR>(state));
}

} // namespace

Subclass::Subclass() = default;

Subclass::Subclass(HWND control, SubclassHandler handler)
    : state_(std::make_unique<State>(State{control, std::move(handler)})) {
    if (!Install(state_.get())) {
        state_->control = nullptr;
    }
}

Subclass::~Subclass() {
    Remove();
}

Subclass::Subclass(Subclass&& other) noexcept : state_(std::move(other.state_)) {}

Subclass& Subclass::operator=(Subclass&& other) noexcept {
    if (this != &other) {
        Remove();
        state_ = std::move(other.state_);
    }
    return *this;
}

void Subclass::Remove() {
    if (state_ && state_->control) {
        RemoveWindowSubclass(state_->control, SubclassProc, IdOf(state_.get()));
        state_->control = nullptr;
    }
}

void Subclass::ForLifeOf(HWND control, SubclassHandler handler) {
    auto state = std::make_unique<State>(State{control, std::move(handler), true});
    if (Install(state.get())) {
        state.release(); // the control's WM_NCDESTROY deletes it
    }
}

LRESULT Subclass::Original(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DefSubclassProc(hwnd, msg, wp, lp);
}

bool Subclass::Installed() const {
    return state_ && state_->control;
}

} // namespace tw::win32
