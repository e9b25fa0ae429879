#include "ui/win32/splitter.h"

#include "platform/win32/gdi_scopes.h"

namespace tw::win32 {

namespace {

constexpr const wchar_t* kSplitterClass = L"TwSplitter";

struct SplitterState {
    SplitterAxis axis;
    SplitterEvents events;
    bool dragging = false;
    POINT start{};
};

SplitterState* StateOf(HWND hwnd) {
    return reinterpret_cast<SplitterState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

int Along(const SplitterState& s, POINT p) {
    return s.axis == SplitterAxis::LeftRight ? p.x - s.start.x : p.y - s.start.y;
}

void Paint(HWND hwnd) {
    PaintDc dc(hwnd);
    RECT r{};
    GetClientRect(hwnd, &r);
    FillRect(dc.get(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DrawEdge(dc.get(), &r, BDR_RAISEDINNER, BF_RECT);
}

LRESULT CALLBACK SplitterProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    SplitterState* s = StateOf(hwnd);
    switch (msg) {
    case WM_NCCREATE: {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_NCDESTROY:
        delete s;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        break;
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    case WM_SETCURSOR:
        if (s) {
            SetCursor(
                LoadCursorW(nullptr, s->axis == SplitterAxis::LeftRight ? IDC_SIZEWE : IDC_SIZENS));
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
        if (s) {
            GetCursorPos(&s->start);
            s->dragging = true;
            SetCapture(hwnd);
            if (s->events.onBegin) {
                s->events.onBegin();
            }
        }
        return 0;
    case WM_MOUSEMOVE:
        if (s && s->dragging && s->events.onDrag) {
            POINT p{};
            GetCursorPos(&p);
            s->events.onDrag(Along(*s, p));
        }
        return 0;
    case WM_LBUTTONUP:
        if (s && s->dragging) {
            ReleaseCapture(); // WM_CAPTURECHANGED ends the drag
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (s) {
            s->dragging = false;
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

void RegisterSplitterClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(instance, kSplitterClass, &wc)) {
        return;
    }
    wc.lpfnWndProc = SplitterProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kSplitterClass;
    RegisterClassExW(&wc);
}

} // namespace

HWND CreateSplitter(HWND parent, SplitterAxis axis, SplitterEvents events) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterSplitterClass(instance);
    // From WM_NCCREATE on the window owns the state and frees it with itself, even when its
    // creation fails later.
    auto* state = new SplitterState{axis, std::move(events)};
    return CreateWindowExW(0, kSplitterClass, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                           nullptr, instance, state);
}

} // namespace tw::win32
