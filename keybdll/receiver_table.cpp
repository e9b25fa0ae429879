#include "keybdll/receiver_table.h"

#include "hooks/hook_status.h"

#include <algorithm>

namespace tw::keybdll {

std::int32_t ReceiverTable::Add(std::uint32_t kindArgument, std::uintptr_t window,
                                std::uint32_t allowFilteringArgument) {
    const auto kind = static_cast<std::uint8_t>(kindArgument & 0xFF);
    if (kind >= kKinds)
        return kErrorInvalidParameter;
    if (window == 0)
        return kErrorInvalidWindowHandle;
    const bool known = std::any_of(receivers_.begin(), receivers_.end(), [&](const Receiver& r) {
        return r.kind == kind && r.window == window;
    });
    if (known)
        return kHookReceiverAlreadyRegistered;
    if (receivers_.size() >= kMaxReceivers)
        return kHookTooManyReceivers;
    receivers_.push_back({kind, window, (allowFilteringArgument & 0xFF) != 0});
    return kHookNoError;
}

std::int32_t ReceiverTable::Remove(std::uint32_t kindArgument, std::uintptr_t window) {
    const auto kind = static_cast<std::uint8_t>(kindArgument & 0xFF);
    auto it = std::find_if(receivers_.begin(), receivers_.end(),
                           [&](const Receiver& r) { return r.kind == kind && r.window == window; });
    if (it == receivers_.end())
        return kHookReceiverNotRegistered;
    receivers_.erase(it);
    return kHookNoError;
}

bool ReceiverTable::RemoveWindow(std::uintptr_t window) {
    const auto before = receivers_.size();
    std::erase_if(receivers_, [&](const Receiver& r) { return r.window == window; });
    return receivers_.size() != before;
}

std::size_t ReceiverTable::Count(std::uint8_t kind) const {
    return static_cast<std::size_t>(std::count_if(
        receivers_.begin(), receivers_.end(), [&](const Receiver& r) { return r.kind == kind; }));
}

std::vector<Receiver> ReceiverTable::OfKind(std::uint8_t kind) const {
    std::vector<Receiver> result;
    for (const auto& r : receivers_)
        if (r.kind == kind)
            result.push_back(r);
    return result;
}

} // namespace tw::keybdll
