#pragma once
// Ownership of window-system handles: each kind is released by its own function when its owner
// goes, so no cleanup is written by hand.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <type_traits>

namespace tw::win32 {

// Every handle of the window system is a pointer, so the standard unique_ptr owns it.
template <class Handle, class Releaser>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<Handle>, Releaser>;

struct GdiObjectReleaser {
    void operator()(HGDIOBJ handle) const noexcept { DeleteObject(handle); }
};
struct MenuReleaser {
    void operator()(HMENU handle) const noexcept { DestroyMenu(handle); }
};
struct ImageListReleaser {
    void operator()(HIMAGELIST handle) const noexcept { ImageList_Destroy(handle); }
};
struct CursorReleaser {
    void operator()(HCURSOR handle) const noexcept { DestroyCursor(handle); }
};
struct IconReleaser {
    void operator()(HICON handle) const noexcept { DestroyIcon(handle); }
};
struct HookReleaser {
    void operator()(HHOOK handle) const noexcept { UnhookWindowsHookEx(handle); }
};
struct AcceleratorsReleaser {
    void operator()(HACCEL handle) const noexcept { DestroyAcceleratorTable(handle); }
};
struct DcReleaser {
    void operator()(HDC handle) const noexcept { DeleteDC(handle); }
};

using UniqueFont = UniqueHandle<HFONT, GdiObjectReleaser>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectReleaser>;
using UniquePen = UniqueHandle<HPEN, GdiObjectReleaser>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectReleaser>;
using UniqueMenu = UniqueHandle<HMENU, MenuReleaser>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageListReleaser>;
using UniqueCursor = UniqueHandle<HCURSOR, CursorReleaser>;
using UniqueIcon = UniqueHandle<HICON, IconReleaser>;
using UniqueHook = UniqueHandle<HHOOK, HookReleaser>;
using UniqueAccelerators = UniqueHandle<HACCEL, AcceleratorsReleaser>;
using UniqueDc = UniqueHandle<HDC, DcReleaser>;

} // namespace tw::win32
