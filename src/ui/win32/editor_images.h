#pragma once
// The editor toolbar's button images: the strip that suits the screen's dpi, and a greyed copy
// for disabled buttons.
#include "ui/main_commands.h"

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

// A command's picture in the strips; -1 for a command whose picture is not there.
constexpr int StripIndexOf(CommandImage image) {
    switch (image) {
    case CommandImage::Cut:
        return static_cast<int>(EditorImage::Cut);
    case CommandImage::Copy:
        return static_cast<int>(EditorImage::Copy);
    case CommandImage::Paste:
        return static_cast<int>(EditorImage::Paste);
    case CommandImage::Undo:
        return static_cast<int>(EditorImage::Undo);
    case CommandImage::Redo:
        return static_cast<int>(EditorImage::Redo);
    default:
        return -1;
    }
}

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
