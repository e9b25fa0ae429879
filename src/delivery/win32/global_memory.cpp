#include "delivery/win32/global_memory.h"

#include <cstring>

namespace tw::win32 {

bool IsGlobalBlock(HANDLE data) {
    return data && GlobalFlags(data) != GMEM_INVALID_HANDLE;
}

std::vector<unsigned char> GlobalBytes(HANDLE data) {
    const SIZE_T size = IsGlobalBlock(data) ? GlobalSize(data) : 0;
    const void* source = size ? GlobalLock(data) : nullptr;
    if (!source) {
        return {};
    }
    const auto* first = static_cast<const unsigned char*>(source);
    std::vector<unsigned char> bytes(first, first + size);
    GlobalUnlock(data);
    return bytes;
}

HGLOBAL GlobalFromBytes(const void* bytes, std::size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    void* target = block ? GlobalLock(block) : nullptr;
    if (!target) {
        if (block) {
            GlobalFree(block);
        }
        return nullptr;
    }
    if (size) {
        std::memcpy(target, bytes, size);
    }
    GlobalUnlock(block);
    return block;
}

} // namespace tw::win32
