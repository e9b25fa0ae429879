#pragma once
// In-memory registry for native tests. Key names compare without regard to ASCII case, as the
// real registry does.
#include "platform/raw_registry.h"

#include <algorithm>
#include <map>
#include <string>

namespace tw::fakes {

class FakeRegistry : public RawRegistry {
public:
    bool KeyExists(const std::string& key) override { return keys_.count(Fold(key)) != 0; }

    bool CreateKey(const std::string& key) override {
        if (failWrites) {
            return false;
        }
        // Like the real hive, every parent comes into being with the key.
        const std::string folded = Fold(key);
        for (std::size_t sep = folded.find('\\'); sep != std::string::npos;
             sep = folded.find('\\', sep + 1)) {
            keys_[folded.substr(0, sep)];
        }
        keys_[folded];
        return true;
    }

    std::optional<RegValue> Read(const std::string& key, const std::string& name) override {
        auto k = keys_.find(Fold(key));
        if (k == keys_.end()) {
            return std::nullopt;
        }
        auto v = k->second.find(Fold(name));
        if (v == k->second.end()) {
            return std::nullopt;
        }
        return v->second;
    }

    bool Write(const std::string& key, const std::string& name, const RegValue& value) override {
        auto k = keys_.find(Fold(key));
        if (failWrites || k == keys_.end()) {
            return false;
        }
        k->second[Fold(name)] = value;
        ++writes;
        return true;
    }

    void Remove(const std::string& key, const std::string& name) override {
        auto k = keys_.find(Fold(key));
        if (k != keys_.end()) {
            k->second.erase(Fold(name));
        }
    }

    std::size_t ValueCount(const std::string& key) const {
        auto k = keys_.find(Fold(key));
        return k == keys_.end() ? 0 : k->second.size();
    }

    bool failWrites = false;
    int writes = 0;

private:
    static std::string Fold(std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) {
            return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        });
        return s;
    }
    std::map<std::string, std::map<std::string, RegValue>> keys_;
};

} // namespace tw::fakes
