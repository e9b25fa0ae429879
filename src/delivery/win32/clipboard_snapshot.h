#pragma once
// A copy of everything on the clipboard that can be copied, put back exactly later. Each format
// is held in a form of our own (bytes, or a copied handle), so the copy survives whatever
// happens to the clipboard meanwhile.
#include "delivery/clipboard_formats.h"
#include "delivery/clipboard_port.h"
#include "platform/win32/unique_handle.h"

#include <windows.h>

#include <vector>

namespace tw::win32 {

class ClipboardSnapshot {
public:
    // Reads the open clipboard; formats whose data cannot be read are left out. False, with
    // nothing kept, when the clipboard holds more than a snapshot may take (SnapshotBudget).
    bool TakeFromOpenClipboard();
    // Empties the open clipboard (the window that opened it becomes the owner) and places the
    // copy; the copy stays.
    void PlaceOnOpenClipboard() const;
    void Clear() { entries_.clear(); }
    std::size_t FormatCount() const { return entries_.size(); }

private:
    struct Entry {
        SavedFormat format;
        std::vector<unsigned char> bytes; // memory blocks, metafile bits
        METAFILEPICT picture{};           // the header of a metafile picture
        UniqueBitmap bitmap;
        std::vector<PALETTEENTRY> palette;
    };
    static bool Read(HANDLE data, Entry& entry);
    static HANDLE Recreate(const Entry& entry);

    std::vector<Entry> entries_;
};

} // namespace tw::win32
