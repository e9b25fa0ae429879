#pragma once
// The registry port over the current user's hive. Every call opens its key and closes it again.
#include "platform/raw_registry.h"

namespace tw::win32 {

class Win32Registry : public RawRegistry {
public:
    bool KeyExists(const std::string& key) override;
    bool CreateKey(const std::string& key) override;
    std::optional<RegValue> Read(const std::string& key, const std::string& name) override;
    bool Write(const std::string& key, const std::string& name, const RegValue& value) override;
    void Remove(const std::string& key, const std::string& name) override;

    // Values larger than this are reported with their type only and no data, so a damaged or
    // hostile value cannot make the program allocate without bound.
    static constexpr unsigned long kMaxValueBytes = 1024 * 1024;
};

} // namespace tw::win32
