#pragma once
// Which of the formats on the clipboard a snapshot copies, and how. Formats the system
// synthesizes from another one are left out, so a restore puts back what the owner put there and
// the system derives the rest again as before.
#include <vector>

namespace tw {

// How the data of a format is held, which decides how it is copied.
enum class ClipboardDataKind {
    Memory,      // a global memory block, copied byte for byte
    Bitmap,      // a bitmap handle
    Palette,     // a palette handle
    Metafile,    // a memory block holding a metafile picture with a metafile handle
    EnhMetafile, // an enhanced metafile handle
};

struct SavedFormat {
    unsigned format = 0;
    ClipboardDataKind kind = ClipboardDataKind::Memory;
    bool operator==(const SavedFormat&) const = default;
};

// The formats in the order the clipboard enumerates them (the order they were placed in, the
// synthesized ones after); the result keeps that order. Formats whose data cannot be copied
// (owner display, private handles, unknown numbers) are left out.
std::vector<SavedFormat> FormatsToSave(const std::vector<unsigned>& enumerated);

} // namespace tw
