#pragma once
// Status codes of the hook library's AttachReceiver, shared by the library and the loader.
// A positive status is a Windows error code.
#include <cstdint>

namespace tw {

constexpr std::int32_t kHookNoError = 0;
constexpr std::int32_t kHookMissingExports = -1;
constexpr std::int32_t kHookReceiverAlreadyRegistered = -2;
constexpr std::int32_t kHookReceiverNotRegistered = -3;
constexpr std::int32_t kHookTooManyReceivers = -4;
constexpr std::int32_t kHookAlreadyInstalled = -5;

// The hook kinds as the library numbers them.
enum class TKvHookKind : std::uint8_t { Shell = 0, Keyboard = 1, Mouse = 2 };

constexpr std::uint32_t kHookMessageBase = 0x0400; // WM_USER: every library message is this + code

// A keyboard code beyond keystrokes (so it reaches only the raw event): the system removed the
// library's low-level hooks and installing them again failed. Posted once per outage.
constexpr std::uint32_t kKeyboardHookLostCode = 0x100;

} // namespace tw
