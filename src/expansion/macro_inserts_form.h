#pragma once
// The logic of TFormMacroInserts, the dialog that asks for the values of a reply's fields.
// The window implements MacroInsertsView and forwards its events to the handlers here.
#include "expansion/macro_inserts_view.h"
#include "platform/raw_registry.h"

#include <string>
#include <utility>
#include <vector>

namespace tw {

enum class DialogClose { None, Ok, Cancel };

struct KeyPressDecision {
    bool consumed = false;
    DialogClose close = DialogClose::None;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

constexpr DialogSize kMacroInsertsMinSize{200, 120};

class TFormMacroInserts {
public:
    TFormMacroInserts(MacroInsertsView& view, RawRegistry& settings);
    TFormMacroInserts(const TFormMacroInserts&) = delete;
    TFormMacroInserts& operator=(const TFormMacroInserts&) = delete;

    // Rebuilds one value box per name (a names list) and restores the saved size.
    void PrepareFields(const std::string& names);
    int AddRow(const std::string& name);
    void DeleteRow(int index);
    void ClearRows();
    // The texts of the boxes in row order (UTF-8), joined by 0x01.
    std::string GetAnswers();
    void SaveSize();

    void FormShow();
    void FormResize();
    KeyPressDecision FormKeyPress(char key);
    void CheckShowClick();
    void FormDestroy();
    void ValueBoxMouseUp(int box);
    void ValueBoxExit(int box);

    // Where FormShow puts the mouse pointer: the top centre of the dialog.
    static ScreenPoint PointerTarget(ScreenPoint topLeft, DialogSize size);

    const std::vector<std::pair<std::string, int>>& Rows() const { return rows_; }
    bool SelectOnClickDone() const { return selectOnClickDone_; }

private:
    void CentreButtonOk();

    MacroInsertsView& view_;
    RawRegistry& settings_;
    std::vector<std::pair<std::string, int>> rows_; // field name, value box
    bool selectOnClickDone_ = true;
};

} // namespace tw
