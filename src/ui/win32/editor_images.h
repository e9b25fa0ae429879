#pragma once
// The editor toolbar's button images: the strip that suits the screen's dpi, and a greyed copy
// for disabled buttons.
#include <windows.h>
#include <commctrl.h>

namespace tw::win32 {

// Positions in the strips, as editor_images.py draws them.
enum class EditorImage {
    Cut,
    Copy,
    Paste,
    Undo,
    Redo,
    Color,
    Bold,
    Italic,
    Underline,
    AlignLeft,
    AlignCenter,
    AlignRight,
    IndentLess,
    IndentMore,
    Insert,
};

// The largest drawn size (16, 24 or 32) that is not larger than 16 pixels at this dpi.
int EditorImageSize(int dpi);

class EditorImages {
public:
    explicit EditorImages(int dpi);
    ~EditorImages();
    EditorImages(const EditorImages&) = delete;
    EditorImages& operator=(const EditorImages&) = delete;

    // Null when the resource is missing.
    HIMAGELIST Normal() const { return normal_; }
    HIMAGELIST Disabled() const { return disabled_; }
    int Size() const { return size_; }

private:
    int size_;
    HIMAGELIST normal_ = nullptr;
    HIMAGELIST disabled_ = nullptr;
};

} // namespace tw::win32
