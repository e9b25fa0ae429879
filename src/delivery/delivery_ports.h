#pragma once
// What delivery needs of the system: key state, input injection, windows, time. The Win32
// adapters wrap GetAsyncKeyState, SendInput, SetForegroundWindow, IsWindow, Sleep and a timer.
#include "delivery/delivery_state.h"
#include "delivery/keyboard_layout.h"
#include "expansion/local_clock.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tw {

// Virtual-key codes the delivery reads or synthesizes.
namespace vkey {
inline constexpr std::uint8_t Backspace = 0x08;
inline constexpr std::uint8_t Tab = 0x09;
inline constexpr std::uint8_t Return = 0x0D;
inline constexpr std::uint8_t Shift = 0x10;
inline constexpr std::uint8_t Ctrl = 0x11;
inline constexpr std::uint8_t Alt = 0x12;
inline constexpr std::uint8_t Space = 0x20;
inline constexpr std::uint8_t Insert = 0x2D;
inline constexpr std::uint8_t V = 0x56;
inline constexpr std::uint8_t LeftShift = 0xA0;
inline constexpr std::uint8_t RightShift = 0xA1;
inline constexpr std::uint8_t LeftCtrl = 0xA2;
inline constexpr std::uint8_t RightCtrl = 0xA3;
inline constexpr std::uint8_t LeftAlt = 0xA4;
inline constexpr std::uint8_t RightAlt = 0xA5;
} // namespace vkey

// One synthesized key event: a virtual-key code, scan code 0, no extra information; or, with
// `unicode` set, a UTF-16 unit typed as itself whatever the keyboard layout.
struct KeyEvent {
    std::uint8_t virtualKey = 0;
    bool keyUp = false;
    char16_t unicode = 0;
    bool operator==(const KeyEvent&) const = default;
};

class KeyStatePort {
public:
    virtual ~KeyStatePort() = default;
    // The asynchronous state at this moment: true while the key is down. Left and right keys
    // are not told apart for Shift, Ctrl and Alt.
    virtual bool IsKeyDown(std::uint8_t virtualKey) = 0;
    // True while keyboard hook messages wait behind the one being handled: keys the user
    // pressed or released after it, which have reached their window already.
    virtual bool KeyMessagesQueued() = 0;
};

class KeyInputPort {
public:
    virtual ~KeyInputPort() = default;
    // Injects the events in order, in one call; returns how many the system inserted, which is
    // fewer than asked when the input was blocked.
    virtual std::size_t SendKeys(const std::vector<KeyEvent>& events) = 0;
};

// The mandatory integrity level of a process (the RID of its label: 0x2000 medium, 0x3000
// high), as far as it could be read.
struct IntegrityLevel {
    long level = -1;     // -1: not read
    bool denied = false; // its token could not even be opened for reading
    bool operator==(const IntegrityLevel&) const = default;
};

// What a delivery needs to know of the window it goes to.
struct TargetWindow {
    std::string program; // the file name of its process's program
    std::string windowClass;
    std::string title;
    IntegrityLevel integrity; // of its process
    IntegrityLevel ours;      // of this program's process
};

// The system drops input we inject into a process above us; a process whose token we may not
// even read is above us.
bool InputDroppedBy(const TargetWindow& window);

class WindowPort {
public:
    virtual ~WindowPort() = default;
    // Asks for the window to become the foreground window; whether it did is not reported.
    virtual void BringToForeground(WindowHandle window) = 0;
    virtual bool WindowExists(WindowHandle window) = 0;
    // Nothing known (the default): no profile matches and input is not dropped.
    virtual TargetWindow Describe(WindowHandle window) {
        (void)window;
        return {};
    }
};

class SleepPort {
public:
    virtual ~SleepPort() = default;
    // Blocks the calling thread.
    virtual void Sleep(int milliseconds) = 0;
};

// FixTimer: fires every 50 ms while enabled.
class FixTimerPort {
public:
    virtual ~FixTimerPort() = default;
    virtual void SetFixTimerEnabled(bool enabled) = 0;
};

struct DeliveryPorts {
    KeyStatePort& keyState;
    KeyInputPort& keyInput;
    WindowPort& windows;
    SleepPort& sleep;
    FixTimerPort& fixTimer;
    LocalClock& clock; // the placeholders' values
    // The layout of the window in front; without it keys are read as on the fixed US keyboard.
    KeyboardLayoutPort* keyboard = nullptr;
};

} // namespace tw
