#pragma once
// Global memory blocks, the clipboard's currency, to and from bytes.
#include <windows.h>

#include <cstddef>
#include <vector>

namespace tw::win32 {

// Empty for an empty block and for a handle that is no memory block at all.
std::vector<unsigned char> GlobalBytes(HANDLE data);
bool IsGlobalBlock(HANDLE data);

// A movable block holding a copy of the bytes (one byte when there are none); null when memory
// ran out.
HGLOBAL GlobalFromBytes(const void* bytes, std::size_t size);

} // namespace tw::win32
