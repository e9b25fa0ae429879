#pragma once
// An in-memory insertions dialog window: boxes are records, a resize calls FormResize back.
#include "expansion/macro_inserts_form.h"

#include <map>

namespace tw::testing {

class FakeMacroInsertsView : public MacroInsertsView {
public:
    struct Box {
        std::string text;
        int left = 0, top = 0, width = 0;
        bool hasSelection = false;
        bool selectedAll = false;
    };

    int CreateValueBox(const std::string& text) override {
        boxes[nextId] = Box{text};
        ++created;
        return nextId++;
    }
    void DestroyValueBox(int box) override { boxes.erase(box); }
    void PlaceValueBox(int box, int left, int top, int width) override {
        Box& b = boxes.at(box);
        b.left = left;
        b.top = top;
        b.width = width;
    }
    int ValueBoxHeight(int) override { return 21; }
    std::string ValueBoxText(int box) override { return boxes.at(box).text; }
    bool ValueBoxHasSelection(int box) override { return boxes.at(box).hasSelection; }
    void SelectAllOfValueBox(int box) override {
        boxes.at(box).selectedAll = true;
        boxes.at(box).hasSelection = true;
    }
    DialogSize FormSize() override { return size; }
    void SetFormSize(DialogSize s) override {
        if (!(s == size)) {
            size = s;
            if (form != nullptr) {
                form->FormResize();
            }
        }
    }
    void SetFormMaxSize(DialogSize s) override { maxSize = s; }
    DialogSize ScreenSize() override { return screen; }
    int ScrollPanelClientWidth() override { return size.width - 20; }
    int PanelBotWidth() override { return size.width - 16; }
    int CheckShowWidth() override { return 97; }
    int ButtonOkWidth() override { return 75; }
    void SetButtonOkLeft(int left) override { buttonOkLeft = left; }
    void SetCheckShow(bool checked) override { checkShow = checked; }
    bool CheckShowChecked() override { return checkShow; }

    // Box handles in row order.
    std::vector<int> BoxIds() const {
        std::vector<int> ids;
        for (const auto& [id, box] : boxes) {
            ids.push_back(id);
        }
        return ids;
    }

    TFormMacroInserts* form = nullptr;
    std::map<int, Box> boxes;
    int nextId = 1;
    int created = 0;
    DialogSize size{408, 171}; // the 392 x 132 client area with its frame
    DialogSize maxSize{};
    DialogSize screen{1024, 768};
    int buttonOkLeft = -1;
    bool checkShow = true;
};

} // namespace tw::testing
