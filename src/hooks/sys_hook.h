#pragma once
// The base of the three hook components: starts and stops one receiver of the hook library and
// turns the library's messages, which its listener window hands over, into typed events.
#include "hooks/hook_host.h"
#include "hooks/hook_loader.h"
#include "hooks/hook_status.h"

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace tw {

// One library message as the listener window received it. Result is what the window returns.
struct HookMessage {
    std::uint32_t Msg = 0;
    std::uint64_t WParam = 0;
    std::uint64_t LParam = 0;
    std::int64_t Result = 0;
};

// Raised by setters that cannot act while the hook is active.
class HookStateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TKvSysHook;

using TKvSysHookUnfilteredEvent =
    std::function<void(TKvSysHook& Sender, std::uint32_t Code, std::uint32_t wParam,
                       std::uint32_t lParam, bool& Handled)>;

constexpr const char* kHookLibraryName = "KeybDll";

class TKvSysHook {
public:
    TKvSysHook(HookLoader& loader, HookHost& host, std::string name);
    virtual ~TKvSysHook();
    TKvSysHook(const TKvSysHook&) = delete;
    TKvSysHook& operator=(const TKvSysHook&) = delete;

    // errorText is empty on success and untouched when already active.
    void Start(std::string& errorText);
    void Stop();

    bool Active() const { return FActive; }
    const std::string& HookDLL() const { return FHookDLL; }
    bool AllowFiltering() const { return FAllowFiltering; }
    ListenerHandle ListenerWindow() const { return FListenerWindow; }
    const std::string& Name() const { return FName; }

    virtual TKvHookKind HookKind() const = 0;
    virtual std::string DisplayName() const;
    virtual void ProcessHookMessage(HookMessage& message) = 0;
    virtual void SetHookDLL(const std::string& value);

    TKvSysHookUnfilteredEvent OnUnfiltered;

protected:
    virtual const char* ClassName() const = 0;
    virtual void DoUnfiltered(std::uint32_t code, std::uint32_t wParam, std::uint32_t lParam,
                              bool& handled);
    // The beginning every ProcessHookMessage shares: result 0, the raw event; false when a
    // handler of the raw event took the message.
    bool BeginHookMessage(HookMessage& message, std::uint32_t& code);
    HookHost& Host() { return host_; }

    bool FAllowFiltering = false;

private:
    HookLoader& loader_;
    HookHost& host_;
    std::string FName;
    bool FActive = false;
    std::string FHookDLL;
    ListenerHandle FListenerWindow = 0;
};

} // namespace tw
