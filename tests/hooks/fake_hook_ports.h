#pragma once
// Scripted stand-ins for the library loader and the window system, recording what was asked.
#include "hooks/hook_host.h"
#include "hooks/hook_module_port.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace tw::test {

class FakeHookModule : public HookModulePort {
public:
    // Names that load, each with the exports it has.
    std::map<std::string, std::set<std::string>> libraries;
    std::uint32_t failureCode = 126;
    std::int32_t attachStatus = 0;

    std::vector<std::string> loadAttempts;
    std::vector<HookModule> unloaded;
    struct Attach {
        std::uint8_t kind;
        std::uintptr_t receiver;
        bool allowFiltering;
    };
    std::vector<Attach> attaches;
    std::vector<std::pair<std::string, std::string>> warnings;

    HookModule Load(const std::string& name) override {
        loadAttempts.push_back(name);
        auto it = libraries.find(name);
        if (it == libraries.end()) {
            lastError_ = failureCode;
            return 0;
        }
        loadedName_ = name;
        return ++nextModule_;
    }
    std::uint32_t LastErrorCode() override { return lastError_; }
    HookEntry Resolve(HookModule, const std::string& exportName) override {
        const auto& exports = libraries.at(loadedName_);
        return exports.count(exportName) ? 0x1000 + exportName.size() : 0;
    }
    void Unload(HookModule module) override { unloaded.push_back(module); }
    std::int32_t CallAttachReceiver(HookEntry, std::uint8_t kind, std::uintptr_t receiver,
                                    bool allowFiltering) override {
        attaches.push_back({kind, receiver, allowFiltering});
        return attachStatus;
    }
    std::string SystemErrorText(std::uint32_t code) override {
        return "system text " + std::to_string(code);
    }
    void ShowLeftLoadedWarning(const std::string& text, const std::string& caption) override {
        warnings.emplace_back(text, caption);
    }

    static std::set<std::string> AllExports() {
        return {"AttachReceiver", "DetachReceiver", "LastError"};
    }

private:
    HookModule nextModule_ = 0x7000;
    std::uint32_t lastError_ = 0;
    std::string loadedName_;
};

class FakeHookHost : public HookHost {
public:
    bool failCreate = false;
    std::set<HookWindow> ownWindows;
    std::set<ListenerHandle> liveWindows;
    std::vector<std::pair<std::string, std::string>> errorBoxes;

    ListenerHandle CreateListenerWindow(TKvSysHook&) override {
        if (failCreate)
            return 0;
        const ListenerHandle window = ++next_;
        liveWindows.insert(window);
        return window;
    }
    void DestroyListenerWindow(ListenerHandle window) override { liveWindows.erase(window); }
    bool IsOwnApplicationWindow(HookWindow window) override { return ownWindows.count(window); }
    void ShowHookError(const std::string& text, const std::string& caption) override {
        errorBoxes.emplace_back(text, caption);
    }

private:
    ListenerHandle next_ = 0x500;
};

} // namespace tw::test
