#pragma once
// Which of the formats on the clipboard a snapshot copies, and how. Formats the system
// synthesizes from another one are left out, so a restore puts back what the owner put there and
// the system derives the rest again as before.
#include <cstddef>
#include <cstdint>
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

// What a snapshot may take: a large spreadsheet range makes its owner render every format, which
// can take long and hundreds of megabytes. The snapshot stops at the first format past either
// bound, and an incomplete snapshot is not restored at all: part of the user's clipboard put
// back would pass for the whole of it.
class SnapshotBudget {
public:
    static constexpr std::size_t kMaxBytes = std::size_t{32} << 20;
    static constexpr std::uint32_t kMaxMs = 1000;

    explicit SnapshotBudget(std::uint32_t startMs) : start_(startMs) {}
    // A format of this size has been rendered by `nowMs`; false when it would take the snapshot
    // past a bound, and for every format after that.
    bool Admit(std::size_t bytes, std::uint32_t nowMs);
    bool Exceeded() const { return exceeded_; }

private:
    std::uint32_t start_;
    std::size_t taken_ = 0;
    bool exceeded_ = false;
};

} // namespace tw
