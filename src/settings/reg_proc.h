#pragma once
// The settings access functions. Each one opens its key, does one thing and closes it again; a
// failure is never reported, readers fall back to 0, the empty string or false. The registry port
// stands in for the root key: the program only ever uses the current user's hive.
#include "platform/raw_registry.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace tw {

std::string RegReadString(RawRegistry& root, const std::string& key, const std::string& name);

// REG_DWORD as is; a REG_BINARY of exactly 4 bytes as a little-endian number; anything else 0.
std::int32_t RegReadInteger(RawRegistry& root, const std::string& key, const std::string& name);

// A REG_BINARY value of at most size bytes is copied to the start of the buffer and gives true;
// `bytesRead` (when given) says how many bytes that was, so that a record of a fixed length can
// refuse a shorter one. An absent value, another type, or a value longer than the buffer gives
// false and leaves the buffer untouched.
bool RegReadBinary(RawRegistry& root, const std::string& key, const std::string& name,
                   std::size_t size, void* buffer, std::size_t* bytesRead = nullptr);

// The writers never create keys. They return whether the key could be opened.
bool RegWriteString(RawRegistry& root, const std::string& key, const std::string& name,
                    const std::string& text);
// Keeps the value's type: REG_BINARY stays binary (4 bytes, little-endian), another type than
// REG_DWORD or REG_BINARY is left alone.
bool RegWriteInteger(RawRegistry& root, const std::string& key, const std::string& name,
                     std::int32_t value);
// False, and nothing written, when the value exists with another type than REG_BINARY.
bool RegWriteBinary(RawRegistry& root, const std::string& key, const std::string& name,
                    std::size_t size, const void* buffer);

bool RegEnsureKey(RawRegistry& root, const std::string& key);
bool RegKeyExists(RawRegistry& root, const std::string& key);
bool RegValueExists(RawRegistry& root, const std::string& key, const std::string& name);
void RegRemoveValue(RawRegistry& root, const std::string& key, const std::string& name);

} // namespace tw
