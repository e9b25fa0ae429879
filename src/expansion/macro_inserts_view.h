#pragma once
// What the insertions dialog's logic needs of its window: the value boxes in the scroll panel,
// a few control geometries, the check box and the form's size. Sizes are in pixels.
#include "expansion/insertions_settings.h"

#include <string>

namespace tw {

class MacroInsertsView {
public:
    virtual ~MacroInsertsView() = default;
    // A single-line box in ScrollPanel holding `text`; returns a handle for the calls below.
    virtual int CreateValueBox(const std::string& text) = 0;
    virtual void DestroyValueBox(int box) = 0;
    // Anchored left, top and right, so it stretches with the dialog.
    virtual void PlaceValueBox(int box, int left, int top, int width) = 0;
    virtual int ValueBoxHeight(int box) = 0;
    virtual std::string ValueBoxText(int box) = 0; // UTF-8, so that no character is lost
    virtual bool ValueBoxHasSelection(int box) = 0;
    virtual void SelectAllOfValueBox(int box) = 0;

    virtual DialogSize FormSize() = 0;
    // Changing the size makes the window call FormResize, as any resize does.
    virtual void SetFormSize(DialogSize size) = 0;
    virtual void SetFormMaxSize(DialogSize size) = 0;
    virtual DialogSize ScreenSize() = 0;
    virtual int ScrollPanelClientWidth() = 0;
    virtual int PanelBotWidth() = 0;
    virtual int CheckShowWidth() = 0;
    virtual int ButtonOkWidth() = 0;
    virtual void SetButtonOkLeft(int left) = 0;
    virtual void SetCheckShow(bool checked) = 0;
    virtual bool CheckShowChecked() = 0;
};

} // namespace tw
