#include "app/win32/win32_registry.h"

#include "platform/win32/ansi_path.h"

#include <windows.h>

namespace tw::win32 {

namespace {

class OpenKey {
public:
    OpenKey(const std::string& key, REGSAM access) {
        if (RegOpenKeyExW(HKEY_CURRENT_USER, AnsiToWide(key).c_str(), 0, access, &key_) !=
            ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    ~OpenKey() {
        if (key_) {
            if (written_) {
                // Settings are written the moment they change; flushing on close keeps them
                // when the session ends soon after.
                RegFlushKey(key_);
            }
            RegCloseKey(key_);
        }
    }
    void MarkWritten() { written_ = true; }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
    bool written_ = false;
};

RegType TypeOf(DWORD type) {
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        return RegType::String;
    case REG_DWORD:
        return RegType::Integer;
    case REG_BINARY:
        return RegType::Binary;
    default:
        return RegType::Other;
    }
}

std::vector<std::uint8_t> StringData(const std::vector<BYTE>& raw) {
    std::wstring text(raw.size() / sizeof(wchar_t), L'\0');
    if (!text.empty()) {
        memcpy(text.data(), raw.data(), text.size() * sizeof(wchar_t));
    }
    // Stored strings usually carry their terminator; some writers add none or several.
    const auto end = text.find(L'\0');
    if (end != std::wstring::npos) {
        text.resize(end);
    }
    // UTF-8, so that a command naming the program's own path keeps every character.
    const std::string utf8 = WideToUtf8(text);
    return {utf8.begin(), utf8.end()};
}

} // namespace

bool Win32Registry::KeyExists(const std::string& key) {
    return static_cast<bool>(OpenKey(key, KEY_READ));
}

bool Win32Registry::CreateKey(const std::string& key) {
    HKEY created = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, AnsiToWide(key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &created, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(created);
    return true;
}

std::optional<RegValue> Win32Registry::Read(const std::string& key, const std::string& name) {
    OpenKey k(key, KEY_READ);
    if (!k) {
        return std::nullopt;
    }
    const std::wstring wname = AnsiToWide(name);
    std::vector<BYTE> raw;
    DWORD type = 0;
    // The value can change between asking its size and reading it; ask again then.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD size = 0;
        if (RegQueryValueExW(k.get(), wname.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        if (size > kMaxValueBytes) {
            return RegValue{
                TypeOf(type) == RegType::String ? RegType::Other : TypeOf(type), {}, true};
        }
        raw.assign(size, 0);
        const LONG rc = RegQueryValueExW(k.get(), wname.c_str(), nullptr, &type, raw.data(), &size);
        if (rc == ERROR_MORE_DATA) {
            continue;
        }
        if (rc != ERROR_SUCCESS) {
            return std::nullopt;
        }
        raw.resize(size);
        RegValue value;
        value.type = TypeOf(type);
        value.data = value.type == RegType::String
                         ? StringData(raw)
                         : std::vector<std::uint8_t>(raw.begin(), raw.end());
        return value;
    }
    return std::nullopt;
}

bool Win32Registry::Write(const std::string& key, const std::string& name, const RegValue& value) {
    OpenKey k(key, KEY_ALL_ACCESS);
    if (!k) {
        return false;
    }
    const std::wstring wname = AnsiToWide(name);
    LONG rc = ERROR_INVALID_PARAMETER;
    switch (value.type) {
    case RegType::String: {
        const std::wstring text = TextToWide(std::string(value.data.begin(), value.data.end()));
        rc = RegSetValueExW(k.get(), wname.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        break;
    }
    case RegType::Integer:
        if (value.data.size() == 4) {
            rc = RegSetValueExW(k.get(), wname.c_str(), 0, REG_DWORD, value.data.data(), 4);
        }
        break;
    case RegType::Binary:
        rc = RegSetValueExW(k.get(), wname.c_str(), 0, REG_BINARY, value.data.data(),
                            static_cast<DWORD>(value.data.size()));
        break;
    case RegType::Other:
        break;
    }
    if (rc == ERROR_SUCCESS) {
        k.MarkWritten();
    }
    return rc == ERROR_SUCCESS;
}

void Win32Registry::Remove(const std::string& key, const std::string& name) {
    OpenKey k(key, KEY_ALL_ACCESS);
    if (k && RegDeleteValueW(k.get(), AnsiToWide(name).c_str()) == ERROR_SUCCESS) {
        k.MarkWritten();
    }
}

} // namespace tw::win32
