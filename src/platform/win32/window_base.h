#pragma once
// Windows of our own and the controls on them. A window owns its handle and turns messages into
// one virtual call; the notifications a control sends its parent (WM_COMMAND, WM_NOTIFY,
// WM_DRAWITEM, WM_CHARTOITEM) go back to the object that made the control, so a parent never
// reaches into its children to ask whom a message is for.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>

namespace tw::win32 {

// A control's answer to a message reflected from its parent; nullopt leaves it to the next
// handler of the same control and then to the parent.
using ReflectedHandler = std::function<std::optional<LRESULT>(UINT msg, WPARAM wp, LPARAM lp)>;

// The handler of one control for as long as this object lives. Several may share a control:
// each is asked in the order they were made.
class Reflection {
public:
    Reflection() = default;
    Reflection(HWND control, ReflectedHandler handler);
    ~Reflection();
    Reflection(Reflection&& other) noexcept;
    Reflection& operator=(Reflection&& other) noexcept;

private:
    void Reset();

    HWND control_ = nullptr;
    std::unique_ptr<ReflectedHandler> handler_;
};

// The common shapes: a control's WM_NOTIFY, and its WM_COMMAND (answered with 0), each claimed
// when the handler returns true.
Reflection ReflectNotify(HWND control, std::function<bool(const NMHDR&, LRESULT&)> handler);
Reflection ReflectCommand(HWND control, std::function<bool(WPARAM, LPARAM)> handler);

// The control that sent a parent notification, or null for a menu, an accelerator or any other
// message.
HWND SenderOf(UINT msg, WPARAM wp, LPARAM lp);
// Offers a parent notification to its sender's handlers; nullopt when none claims it.
std::optional<LRESULT> ReflectToSender(UINT msg, WPARAM wp, LPARAM lp);

// A window of a class of our own. The derived class handles what no child claims.
class WindowBase {
public:
    WindowBase() = default;
    virtual ~WindowBase();
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND Handle() const { return hwnd_; }

protected:
    // Registers `wc` (its procedure is set here) once per process.
    static void RegisterWindowClass(WNDCLASSEXW wc);
    // The window exists, and its handle is known, before WM_NCCREATE reaches OnMessage.
    HWND CreateWindowFor(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                         RECT place, HWND parent, HMENU menu);
    virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;
    LRESULT DefaultMessage(UINT msg, WPARAM wp, LPARAM lp) {
        return DefWindowProcW(hwnd_, msg, wp, lp);
    }

    HWND hwnd_ = nullptr;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
};

// A control's own messages seen before the control: the handler returns a result to keep one
// from it, nullopt to let it through. Removed when this object goes or the control does.
using SubclassHandler = std::function<std::optional<LRESULT>(HWND, UINT msg, WPARAM, LPARAM)>;

class Subclass {
public:
    Subclass();
    Subclass(HWND control, SubclassHandler handler);
    ~Subclass();
    Subclass(Subclass&& other) noexcept;
    Subclass& operator=(Subclass&& other) noexcept;

    // For a handler that lives exactly as long as its control.
    static void ForLifeOf(HWND control, SubclassHandler handler);
    // The control's own processing, from inside a handler.
    static LRESULT Original(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    bool Installed() const;

    struct State;

private:
    void Remove();

    std::unique_ptr<State> state_;
};

} // namespace tw::win32
