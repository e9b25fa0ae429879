#pragma once
// The hook library's registered receivers: which windows get which kind of event, in the order
// they registered. Not locked: the library guards it.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tw::keybdll {

struct Receiver {
    std::uint8_t kind = 0; // 0 shell, 1 keyboard, 2 mouse
    std::uintptr_t window = 0;
    bool allowFiltering = false;
};

class ReceiverTable {
public:
    static constexpr std::size_t kMaxReceivers = 64;
    static constexpr std::uint8_t kKinds = 3;

    // The arguments arrive as they travelled: only their low bytes count. Returns a status
    // of the library's contract.
    std::int32_t Add(std::uint32_t kindArgument, std::uintptr_t window,
                     std::uint32_t allowFilteringArgument);
    std::int32_t Remove(std::uint32_t kindArgument, std::uintptr_t window);
    // Forgets every registration of a window that no longer exists; true when there was one.
    bool RemoveWindow(std::uintptr_t window);

    std::size_t Count(std::uint8_t kind) const;
    bool Empty() const { return receivers_.empty(); }
    std::vector<Receiver> OfKind(std::uint8_t kind) const;
    const std::vector<Receiver>& All() const { return receivers_; }

private:
    std::vector<Receiver> receivers_;
};

// Windows error codes the library reports for arguments it cannot use.
constexpr std::int32_t kErrorInvalidParameter = 87;
constexpr std::int32_t kErrorInvalidWindowHandle = 1400;

} // namespace tw::keybdll
