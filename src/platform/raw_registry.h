#pragma once
// The smallest view of the registry the settings code needs. Keys are paths below the current
// user's hive ("SOFTWARE\\Kolvenmark\\Textwright 2"); names are ASCII, string data UTF-8 (the
// autorun command names the program's path, which may hold any character).
// The Win32 adapter talks to HKEY_CURRENT_USER; tests use an in-memory registry.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tw {

enum class RegType { String, Integer, Binary, Other };

struct RegValue {
    RegType type = RegType::Other;
    std::vector<std::uint8_t>
        data; // REG_SZ as UTF-8 without the terminator, REG_DWORD as 4 LE bytes
    // Too large to load: `data` is empty and says nothing about the value's length.
    bool tooLarge = false;
};

class RawRegistry {
public:
    virtual ~RawRegistry() = default;
    virtual bool KeyExists(const std::string& key) = 0;
    // Creates the key and any missing parents; true when it exists afterwards.
    virtual bool CreateKey(const std::string& key) = 0;
    // Absent key or value: nullopt.
    virtual std::optional<RegValue> Read(const std::string& key, const std::string& name) = 0;
    // Writes into an existing key only; false when the key cannot be opened or the write fails.
    virtual bool Write(const std::string& key, const std::string& name, const RegValue& value) = 0;
    // An absent key or value is not an error.
    virtual void Remove(const std::string& key, const std::string& name) = 0;
};

} // namespace tw
