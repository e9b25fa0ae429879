#include "settings/reg_proc.h"

#include <cstring>

namespace tw {

namespace {

std::vector<std::uint8_t> LittleEndian(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
            static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
}

std::int32_t FromLittleEndian(const std::vector<std::uint8_t>& data) {
    const std::uint32_t bits =
        static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
        static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24;
    return static_cast<std::int32_t>(bits);
}

} // namespace

std::string RegReadString(RawRegistry& root, const std::string& key, const std::string& name) {
    const auto value = root.Read(key, name);
    if (!value || value->type != RegType::String) {
        return {};
    }
    return std::string(value->data.begin(), value->data.end());
}

std::int32_t RegReadInteger(RawRegistry& root, const std::string& key, const std::string& name) {
    const auto value = root.Read(key, name);
    if (!value || value->data.size() != 4) {
        return 0;
    }
    if (value->type != RegType::Integer && value->type != RegType::Binary) {
        return 0;
    }
    return FromLittleEndian(value->data);
}

bool RegReadBinary(RawRegistry& root, const std::string& key, const std::string& name,
                   std::size_t size, void* buffer, std::size_t* bytesRead) {
    const auto value = root.Read(key, name);
    if (!value || value->type != RegType::Binary || value->tooLarge || value->data.size() > size) {
        return false;
    }
    if (!value->data.empty()) {
        std::memcpy(buffer, value->data.data(), value->data.size());
    }
    if (bytesRead != nullptr) {
        *bytesRead = value->data.size();
    }
    return true;
}

bool RegWriteString(RawRegistry& root, const std::string& key, const std::string& name,
                    const std::string& text) {
    if (!root.KeyExists(key)) {
        return false;
    }
    root.Write(key, name, RegValue{RegType::String, {text.begin(), text.end()}});
    return true;
}

bool RegWriteInteger(RawRegistry& root, const std::string& key, const std::string& name,
                     std::int32_t value) {
    if (!root.KeyExists(key)) {
        return false;
    }
    const auto current = root.Read(key, name);
    const RegType type = current ? current->type : RegType::Integer;
    if (type == RegType::Integer || type == RegType::Binary) {
        root.Write(key, name, RegValue{type, LittleEndian(value)});
    }
    return true;
}

bool RegWriteBinary(RawRegistry& root, const std::string& key, const std::string& name,
                    std::size_t size, const void* buffer) {
    if (!root.KeyExists(key)) {
        return false;
    }
    const auto current = root.Read(key, name);
    if (current && current->type != RegType::Binary) {
        return false;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    return root.Write(key, name,
                      RegValue{RegType::Binary, std::vector<std::uint8_t>(bytes, bytes + size)});
}

bool RegEnsureKey(RawRegistry& root, const std::string& key) {
    return root.KeyExists(key) || root.CreateKey(key);
}

bool RegKeyExists(RawRegistry& root, const std::string& key) {
    return root.KeyExists(key);
}

bool RegValueExists(RawRegistry& root, const std::string& key, const std::string& name) {
    return root.KeyExists(key) && root.Read(key, name).has_value();
}

void RegRemoveValue(RawRegistry& root, const std::string& key, const std::string& name) {
    root.Remove(key, name);
}

} // namespace tw
