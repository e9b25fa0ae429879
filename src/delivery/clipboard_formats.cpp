#include "delivery/clipboard_formats.h"

#include <algorithm>
#include <optional>

namespace tw {
namespace {

// The standard formats' numbers (they are fixed by the system).
enum : unsigned {
    kText = 1,
    kBitmap = 2,
    kMetafilePict = 3,
    kOemText = 7,
    kDib = 8,
    kPalette = 9,
    kUnicodeText = 13,
    kEnhMetafile = 14,
    kDibV5 = 17,
    kDspText = 0x81,
    kDspBitmap = 0x82,
    kDspMetafilePict = 0x83,
    kDspEnhMetafile = 0x8E,
    kGdiObjectFirst = 0x300,
    kGdiObjectLast = 0x3FF,
    kRegisteredFirst = 0xC000,
    kRegisteredLast = 0xFFFF,
};

// Formats the system converts into each other: only the first of a family that is enumerated
// was placed by the owner.
enum class Family { None, Text, Bitmap, Metafile };

Family FamilyOf(unsigned format) {
    switch (format) {
    case kText:
    case kOemText:
    case kUnicodeText:
        return Family::Text;
    case kBitmap:
    case kDib:
    case kDibV5:
        return Family::Bitmap;
    case kMetafilePict:
    case kEnhMetafile:
        return Family::Metafile;
    default:
        return Family::None;
    }
}

std::optional<ClipboardDataKind> KindOf(unsigned format) {
    switch (format) {
    case kBitmap:
    case kDspBitmap:
        return ClipboardDataKind::Bitmap;
    case kPalette:
        return ClipboardDataKind::Palette;
    case kMetafilePict:
    case kDspMetafilePict:
        return ClipboardDataKind::Metafile;
    case kEnhMetafile:
    case kDspEnhMetafile:
        return ClipboardDataKind::EnhMetafile;
    case kDspText:
        return ClipboardDataKind::Memory;
    default:
        break;
    }
    // The standard formats from text to DIBV5 not named above are memory blocks.
    const bool standardMemory = format >= kText && format <= kDibV5;
    // The GDI object range holds memory blocks too, despite its name; registered formats are
    // memory blocks by convention.
    const bool gdiRange = format >= kGdiObjectFirst && format <= kGdiObjectLast;
    const bool registered = format >= kRegisteredFirst && format <= kRegisteredLast;
    if (standardMemory || gdiRange || registered) {
        return ClipboardDataKind::Memory;
    }
    return std::nullopt;
}

} // namespace

std::vector<SavedFormat> FormatsToSave(const std::vector<unsigned>& enumerated) {
    std::vector<SavedFormat> saved;
    std::vector<Family> seen;
    bool dibSaved = false;
    for (unsigned format : enumerated) {
        const std::optional<ClipboardDataKind> kind = KindOf(format);
        const Family family = FamilyOf(format);
        const bool repeated = std::any_of(saved.begin(), saved.end(),
                                          [&](const SavedFormat& s) { return s.format == format; });
        if (!kind || repeated) {
            continue;
        }
        if (family != Family::None) {
            if (std::find(seen.begin(), seen.end(), family) != seen.end()) {
                continue;
            }
            seen.push_back(family);
            dibSaved = dibSaved || format == kDib || format == kDibV5;
        }
        // A device-independent bitmap carries its colours; the palette is derived from it.
        if (format == kPalette && dibSaved) {
            continue;
        }
        saved.push_back({format, *kind});
    }
    return saved;
}

bool SnapshotBudget::Admit(std::size_t bytes, std::uint32_t nowMs) {
    // Ticks wrap; their difference does not.
    const auto elapsed = static_cast<std::uint32_t>(nowMs - start_);
    exceeded_ = exceeded_ || elapsed > kMaxMs || bytes > kMaxBytes - taken_;
    if (!exceeded_) {
        taken_ += bytes;
    }
    return !exceeded_;
}

} // namespace tw
