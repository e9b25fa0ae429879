#include "delivery/win32/clipboard_snapshot.h"

#include "delivery/win32/global_memory.h"

#include <cstring>

namespace tw::win32 {
namespace {

// Data the clipboard did not take is still ours to free.
void FreeUnplaced(ClipboardDataKind kind, HANDLE data) {
    switch (kind) {
    case ClipboardDataKind::Bitmap:
    case ClipboardDataKind::Palette:
        DeleteObject(data);
        return;
    case ClipboardDataKind::EnhMetafile:
        DeleteEnhMetaFile(static_cast<HENHMETAFILE>(data));
        return;
    case ClipboardDataKind::Metafile:
        if (const auto* picture = static_cast<const METAFILEPICT*>(GlobalLock(data))) {
            DeleteMetaFile(picture->hMF);
            GlobalUnlock(data);
        }
        GlobalFree(data);
        return;
    case ClipboardDataKind::Memory:
        GlobalFree(data);
        return;
    }
}

// What copying the data will hold, known before it is copied.
std::size_t SizeOf(ClipboardDataKind kind, HANDLE data) {
    switch (kind) {
    case ClipboardDataKind::Memory:
        return GlobalSize(data);
    case ClipboardDataKind::Bitmap: {
        BITMAP bitmap{};
        if (!GetObjectW(data, sizeof bitmap, &bitmap)) {
            return 0;
        }
        return static_cast<std::size_t>(bitmap.bmWidthBytes) *
               static_cast<std::size_t>(bitmap.bmHeight > 0 ? bitmap.bmHeight : 0);
    }
    case ClipboardDataKind::Palette:
        return GetPaletteEntries(static_cast<HPALETTE>(data), 0, 0, nullptr) * sizeof(PALETTEENTRY);
    case ClipboardDataKind::EnhMetafile:
        return GetEnhMetaFileBits(static_cast<HENHMETAFILE>(data), 0, nullptr);
    case ClipboardDataKind::Metafile: {
        std::size_t size = GlobalSize(data);
        if (const auto* picture = static_cast<const METAFILEPICT*>(GlobalLock(data))) {
            size += GetMetaFileBitsEx(picture->hMF, 0, nullptr);
            GlobalUnlock(data);
        }
        return size;
    }
    }
    return 0;
}

} // namespace

bool ClipboardSnapshot::Read(HANDLE data, Entry& entry) {
    switch (entry.format.kind) {
    case ClipboardDataKind::Memory:
        // An empty block still says something (the marking formats carry no data).
        entry.bytes = GlobalBytes(data);
        return IsGlobalBlock(data);
    case ClipboardDataKind::Bitmap:
        entry.bitmap.reset(static_cast<HBITMAP>(CopyImage(data, IMAGE_BITMAP, 0, 0, 0)));
        return entry.bitmap != nullptr;
    case ClipboardDataKind::Palette: {
        const UINT count = GetPaletteEntries(static_cast<HPALETTE>(data), 0, 0, nullptr);
        entry.palette.resize(count);
        return count > 0 && GetPaletteEntries(static_cast<HPALETTE>(data), 0, count,
                                              entry.palette.data()) == count;
    }
    case ClipboardDataKind::EnhMetafile: {
        const auto enh = static_cast<HENHMETAFILE>(data);
        entry.bytes.resize(GetEnhMetaFileBits(enh, 0, nullptr));
        return !entry.bytes.empty() &&
               GetEnhMetaFileBits(enh, static_cast<UINT>(entry.bytes.size()), entry.bytes.data()) ==
                   entry.bytes.size();
    }
    case ClipboardDataKind::Metafile: {
        const std::vector<unsigned char> header = GlobalBytes(data);
        if (header.size() < sizeof(METAFILEPICT)) {
            return false;
        }
        std::memcpy(&entry.picture, header.data(), sizeof(METAFILEPICT));
        entry.bytes.resize(GetMetaFileBitsEx(entry.picture.hMF, 0, nullptr));
        return !entry.bytes.empty() &&
               GetMetaFileBitsEx(entry.picture.hMF, static_cast<UINT>(entry.bytes.size()),
                                 entry.bytes.data()) == entry.bytes.size();
    }
    }
    return false;
}

bool ClipboardSnapshot::TakeFromOpenClipboard() {
    entries_.clear();
    SnapshotBudget budget(GetTickCount());
    std::vector<unsigned> enumerated;
    for (UINT format = EnumClipboardFormats(0); format != 0;
         format = EnumClipboardFormats(format)) {
        enumerated.push_back(format);
    }
    for (const SavedFormat& format : FormatsToSave(enumerated)) {
        // A delayed format is rendered by its owner here, however long that takes.
        HANDLE data = GetClipboardData(format.format);
        if (!data) {
            continue;
        }
        if (!budget.Admit(SizeOf(format.kind, data), GetTickCount())) {
            entries_.clear();
            return false;
        }
        Entry entry;
        entry.format = format;
        if (Read(data, entry)) {
            entries_.push_back(std::move(entry));
        }
    }
    return true;
}

HANDLE ClipboardSnapshot::Recreate(const Entry& entry) {
    switch (entry.format.kind) {
    case ClipboardDataKind::Memory:
        return GlobalFromBytes(entry.bytes.data(), entry.bytes.size());
    case ClipboardDataKind::Bitmap:
        return CopyImage(entry.bitmap.get(), IMAGE_BITMAP, 0, 0, 0);
    case ClipboardDataKind::Palette: {
        std::vector<unsigned char> buffer(sizeof(LOGPALETTE) +
                                          entry.palette.size() * sizeof(PALETTEENTRY));
        auto* logical = reinterpret_cast<LOGPALETTE*>(buffer.data());
        logical->palVersion = 0x300;
        logical->palNumEntries = static_cast<WORD>(entry.palette.size());
        std::memcpy(logical->palPalEntry, entry.palette.data(),
                    entry.palette.size() * sizeof(PALETTEENTRY));
        return CreatePalette(logical);
    }
    case ClipboardDataKind::EnhMetafile:
        return SetEnhMetaFileBits(static_cast<UINT>(entry.bytes.size()), entry.bytes.data());
    case ClipboardDataKind::Metafile: {
        METAFILEPICT picture = entry.picture;
        picture.hMF = SetMetaFileBitsEx(static_cast<UINT>(entry.bytes.size()), entry.bytes.data());
        if (!picture.hMF) {
            return nullptr;
        }
        HGLOBAL block = GlobalFromBytes(&picture, sizeof picture);
        if (!block) {
            DeleteMetaFile(picture.hMF);
        }
        return block;
    }
    }
    return nullptr;
}

void ClipboardSnapshot::PlaceOnOpenClipboard() const {
    EmptyClipboard();
    for (const Entry& entry : entries_) {
        HANDLE data = Recreate(entry);
        if (data && !SetClipboardData(entry.format.format, data)) {
            FreeUnplaced(entry.format.kind, data);
        }
    }
}

} // namespace tw::win32
