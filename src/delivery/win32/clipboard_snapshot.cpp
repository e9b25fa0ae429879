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

void ClipboardSnapshot::TakeFromOpenClipboard() {
    entries_.clear();
    std::vector<unsigned> enumerated;
    for (UINT format = EnumClipboardFormats(0); format != 0;
         format = EnumClipboardFormats(format)) {
        enumerated.push_back(format);
    }
    for (const SavedFormat& format : FormatsToSave(enumerated)) {
        HANDLE data = GetClipboardData(format.format);
        Entry entry;
        entry.format = format;
        if (data && Read(data, entry)) {
            entries_.push_back(std::move(entry));
        }
    }
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
