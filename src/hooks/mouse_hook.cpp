#include "hooks/mouse_hook.h"

namespace tw {

void TKvMouseHook::ProcessHookMessage(HookMessage& message) {
    std::uint32_t code = 0;
    if (!BeginHookMessage(message, code))
        return;
    const auto position = static_cast<std::uint32_t>(message.WParam);
    const auto x = static_cast<std::int32_t>(position & 0xFFFF);
    const auto y = static_cast<std::int32_t>((position >> 16) & 0xFFFF);
    const auto window = static_cast<HookWindow>(message.LParam);
    const std::uint32_t n = code & 15;
    if (n == 0) {
        DoMouseMove(window, x, y);
        return;
    }
    TMouseButton button = TMouseButton::mbLeft;
    switch ((n - 1) / 3) {
    case 1:
        button = TMouseButton::mbRight;
        break;
    case 2:
        button = TMouseButton::mbMiddle;
        break;
    default:
        break;
    }
    static constexpr TKvMouseButtonMovement kMovements[] = {TKvMouseButtonMovement::mbmDown,
                                                            TKvMouseButtonMovement::mbmUp,
                                                            TKvMouseButtonMovement::mbmDouble};
    DoMouseClick(window, x, y, button, kMovements[(n - 1) % 3]);
}

void TKvMouseHook::DoMouseClick(HookWindow sourceWindow, std::int32_t x, std::int32_t y,
                                TMouseButton button, TKvMouseButtonMovement movement) {
    if (OnMouseClick)
        OnMouseClick(*this, sourceWindow, x, y, button, movement);
}

void TKvMouseHook::DoMouseMove(HookWindow sourceWindow, std::int32_t x, std::int32_t y) {
    if (OnMouseMove)
        OnMouseMove(*this, sourceWindow, x, y);
}

} // namespace tw
