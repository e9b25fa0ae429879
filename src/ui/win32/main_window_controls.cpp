#include "ui/win32/main_window.h"

#include "ui/main_layout.h"
#include "ui/win32/splitter.h"

#include <commctrl.h>

#include <iterator>
#include <utility>

namespace tw::win32 {

void MainWindow::CreateControls() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    auto make = [&](const wchar_t* cls, DWORD style, DWORD exStyle, int id) {
        return CreateWindowExW(exStyle, cls, nullptr, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                               hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                               nullptr);
    };
    panelNavButs_ = make(L"STATIC", 0, WS_EX_STATICEDGE, 0);
    navigation_ = make(WC_TREEVIEWW,
                       TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                           TVS_EDITLABELS | WS_TABSTOP,
                       WS_EX_CLIENTEDGE, kNavigationId);
    labelMacros_ = make(L"STATIC", SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, 0, 0);
    SetWindowTextW(labelMacros_, L"List of Macros:");
    constexpr DWORD kListStyle =
        ListBoxMirror::kListBoxStyle | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
    listMacros_ = make(L"LISTBOX", kListStyle, WS_EX_CLIENTEDGE, kListMacrosId);
    labelHotKeys_ = make(L"STATIC", SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, 0, 0);
    SetWindowTextW(labelHotKeys_, L"List of Hot Keys:");
    listHotKeys_ = make(L"LISTBOX", kListStyle, WS_EX_CLIENTEDGE, kListHotKeysId);
    CreateSplitters();
    panelBottomBar_ = make(L"STATIC", 0, WS_EX_STATICEDGE, 0);
    panelEditor_ = make(L"STATIC", 0, WS_EX_STATICEDGE, 0);
}

void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    form_->FormDpiChanged(static_cast<int>(dpi));
    ApplyFont();
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutControls();
}

void MainWindow::ApplyFont() {
    // The old font goes only after no control uses it any more.
    UniqueFont font = CreateUiFont(dpi_);
    for (HWND control : {navigation_, labelMacros_, listMacros_, labelHotKeys_, listHotKeys_}) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    }
    if (editing_) {
        editing_->SetFont(font.get());
    }
    if (macrosMirror_) {
        macrosMirror_->FontChanged();
        hotKeysMirror_->FontChanged();
    }
    font_ = std::move(font);
}

void MainWindow::LayoutControls() {
    if (!navigation_ || !form_) {
        return;
    }
    RECT client{};
    GetClientRect(hwnd_, &client);
    const MainLayout l =
        ComputeMainLayout(client.right, client.bottom, form_->Panes(), form_->FullMode());
    const std::pair<HWND, Rect> places[] = {
        {panelNavButs_, l.PanelNavButs},   {navigation_, l.Navigation},
        {splitterVert1_, l.SplitterVert1}, {labelMacros_, l.LabelMacros},
        {listMacros_, l.ListMacros},       {splitterVert2_, l.SplitterVert2},
        {labelHotKeys_, l.LabelHotKeys},   {listHotKeys_, l.ListHotKeys},
        {splitterHorz_, l.SplitterHorz},   {panelBottomBar_, l.PanelBottomBar},
        {panelEditor_, l.PanelEditor},
    };
    HDWP batch = BeginDeferWindowPos(static_cast<int>(std::size(places)));
    for (const auto& [control, r] : places) {
        if (batch) {
            batch = DeferWindowPos(batch, control, nullptr, r.left, r.top, r.width, r.height,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (batch) {
        EndDeferWindowPos(batch);
    }
    if (editing_) {
        // The editing controls stand in the panes' places.
        for (HWND pane : {panelNavButs_, panelBottomBar_, panelEditor_}) {
            ShowWindow(pane, SW_HIDE);
        }
        auto rectOf = [](const Rect& r) {
            return RECT{r.left, r.top, r.left + r.width, r.top + r.height};
        };
        editing_->Layout(rectOf(l.PanelNavButs), rectOf(l.PanelBottomBar), rectOf(l.PanelEditor),
                         static_cast<int>(dpi_));
    }
}

void MainWindow::CreateEditingPane() {
    editing_ = std::make_unique<EditingPane>(
        EditingPaneControls{hwnd_, navigation_, listMacros_, listHotKeys_, font_.get(),
                            TreeEditingEvents{
                                .echoing = [this] { return treeMirror_->Mirroring(); },
                                // No drag reaches the form once the library is going.
                                .dragStarted =
                                    [this] {
                                        if (form_ && !closing_) {
                                            form_->NavigationStartDrag();
                                        }
                                    },
                                .dragEnded =
                                    [this](POINT end) {
                                        if (form_ && !closing_) {
                                            form_->NavigationEndDrag(end.x, end.y);
                                        }
                                    },
                                .noDropCursor = [this] { return dropCursor_.NoDropCursor(); },
                            }});
}

void MainWindow::CreateSplitters() {
    // Each drag resizes the pane on the far side of its splitter: the lists panel and the editor
    // shrink as their splitter moves right or down, the macro list grows.
    auto begin = [this](int MainLayoutSizes::*pane) {
        return [this, pane] { dragStart_ = form_->Panes().*pane; };
    };
    splitterVert1_ = CreateSplitter(hwnd_, SplitterAxis::LeftRight,
                                    {begin(&MainLayoutSizes::chooseByWidth), [this](int offset) {
                                         form_->SplitterVert1Drag(dragStart_ - offset);
                                     }});
    splitterVert2_ = CreateSplitter(hwnd_, SplitterAxis::LeftRight,
                                    {begin(&MainLayoutSizes::macrosListWidth), [this](int offset) {
                                         form_->SplitterVert2Drag(dragStart_ + offset);
                                     }});
    splitterHorz_ = CreateSplitter(hwnd_, SplitterAxis::UpDown,
                                   {begin(&MainLayoutSizes::bottomHeight), [this](int offset) {
                                        form_->SplitterHorzDrag(dragStart_ - offset);
                                    }});
}

} // namespace tw::win32
