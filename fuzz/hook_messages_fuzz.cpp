// Hook library messages decoded by the three components. Every 17 input bytes are one message:
// kind, code (4 bytes), wParam and lParam (4 bytes each, widened), whether the raw-event handler
// takes it, whether a key handler filters it, the key's flags. Properties: the raw event sees
// every message once, with the 32-bit parameters; a taken message is decoded no further; the
// decoded fields are exactly the documented bits; the answer is 1 only for a filtered keystroke.
// Keystrokes encoded by the hook library's own encoder decode back to the key.
#include "../tests/hooks/fake_hook_ports.h"
#include "fuzz_check.h"
#include "hooks/keyboard_hook.h"
#include "hooks/mouse_hook.h"
#include "hooks/shell_hook.h"
#include "keybdll/event_encoding.h"

#include <cstdint>

using namespace tw;

namespace {

std::uint32_t U32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

struct Seen {
    int raw = 0;
    int decoded = 0;
    std::uint32_t rawCode = 0, rawW = 0, rawL = 0;
};

void CheckKey(const Seen& seen, std::uint32_t code, const HookMessage& m, std::uint32_t vk,
              std::uint32_t packed, bool filter) {
    const auto l = static_cast<std::uint32_t>(m.LParam);
    if (code != 0) {
        fuzz::Check(seen.decoded == 0 && m.Result == 0, "only code 0 is a keystroke");
        return;
    }
    fuzz::Check(seen.decoded == 1, "a keystroke is decoded once");
    fuzz::Check(vk == static_cast<std::uint32_t>(m.WParam), "virtual key is wParam");
    fuzz::Check(packed == (l & 0xE1FFFFFFu), "decoded fields are the documented bits");
    fuzz::Check(m.Result == (filter ? 1 : 0), "answer 1 only when filtered");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 17 * 64) {
        return -1;
    }
    test::FakeHookModule port;
    test::FakeHookHost host;
    HookLoader loader(port);
    TKvKeyboardHook keys(loader, host, "KeyHook");
    TKvMouseHook mouse(loader, host, "MouseHook");
    TKvShellHook shell(loader, host, "ShellHook");
    Seen seen;
    bool take = false;
    bool filter = false;
    std::uint32_t vk = 0, packed = 0;
    for (TKvSysHook* hook : {static_cast<TKvSysHook*>(&keys), static_cast<TKvSysHook*>(&mouse),
                             static_cast<TKvSysHook*>(&shell)}) {
        hook->OnUnfiltered = [&](TKvSysHook&, std::uint32_t c, std::uint32_t w, std::uint32_t l,
                                 bool& handled) {
            ++seen.raw;
            seen.rawCode = c, seen.rawW = w, seen.rawL = l;
            handled = take;
        };
    }
    keys.OnKeyAction = [&](TKvSysHook&, std::uint32_t v, std::uint16_t repeat, std::uint8_t scan,
                           bool ext, bool alt, bool was, bool pressed, bool& f) {
        ++seen.decoded;
        vk = v;
        packed = repeat | static_cast<std::uint32_t>(scan) << 16 | (ext ? 1u << 24 : 0) |
                 (alt ? 1u << 29 : 0) | (was ? 1u << 30 : 0) | (pressed ? 0 : 1u << 31);
        f = filter;
    };
    std::uint32_t mouseW = 0;
    std::uint64_t mouseWindow = 0;
    std::uint32_t clickN = 0;
    mouse.OnMouseMove = [&](TKvSysHook&, HookWindow w, std::int32_t x, std::int32_t y) {
        ++seen.decoded;
        clickN = 0;
        mouseWindow = w;
        mouseW = static_cast<std::uint32_t>(x) | static_cast<std::uint32_t>(y) << 16;
    };
    mouse.OnMouseClick = [&](TKvSysHook&, HookWindow w, std::int32_t x, std::int32_t y,
                             TMouseButton b, TKvMouseButtonMovement mv) {
        ++seen.decoded;
        mouseWindow = w;
        mouseW = static_cast<std::uint32_t>(x) | static_cast<std::uint32_t>(y) << 16;
        clickN = static_cast<std::uint32_t>(b) * 3 + static_cast<std::uint32_t>(mv) + 1;
    };
    auto countShell = [&](TKvSysHook&, HookWindow) { ++seen.decoded; };
    shell.OnWindowCreated = countShell;
    shell.OnWindowDestroyed = countShell;
    shell.OnWindowActivated = countShell;
    shell.OnLanguageChange = countShell;
    shell.OnActivateShellWindow = [&](TKvSysHook&) { ++seen.decoded; };
    shell.OnTaskManager = [&](TKvSysHook&) { ++seen.decoded; };
    shell.OnWindowTitleRedraw = [&](TKvSysHook&, HookWindow, bool) { ++seen.decoded; };
    shell.OnAccessibilityStateChanged = [&](TKvSysHook&, std::uint32_t) { ++seen.decoded; };

    keybdll::KeystrokeEncoder encoder;
    bool down[256] = {};
    for (std::size_t at = 0; at + 17 <= size; at += 17) {
        const std::uint8_t* p = data + at;
        seen = Seen{};
        take = p[13] & 1;
        filter = p[14] & 1;
        HookMessage m;
        const std::uint32_t code = p[0] % 4 == 3 ? 0 : U32(p + 1) % (p[0] & 0x80 ? 0x10000 : 20);
        m.Msg = kHookMessageBase + code;
        m.WParam = U32(p + 5) | (static_cast<std::uint64_t>(p[15]) << 32);
        m.LParam = U32(p + 9) | (static_cast<std::uint64_t>(p[16]) << 40);
        m.Result = 99;
        if (p[0] % 4 == 3) {
            // A key through the hook library's encoder, then back.
            keybdll::LowLevelKey key{p[5], U32(p + 9) & 0x1FF, p[1]};
            m.WParam = key.virtualKey;
            m.LParam = encoder.Encode(key);
            keys.ProcessHookMessage(m);
            const bool release = key.flags & keybdll::kLowLevelUp;
            const bool wasDown = release || down[key.virtualKey];
            down[key.virtualKey] = !release;
            // Alt is down when the system says so or while any Alt key is held, this one
            // included: a key typed with right Alt held can arrive without the flag.
            const bool alt =
                (key.flags & keybdll::kLowLevelAltDown) || down[0x12] || down[0xA4] || down[0xA5];
            if (!take) {
                const std::uint32_t expect =
                    1 | (key.scanCode & 0xFF) << 16 |
                    (key.flags & keybdll::kLowLevelExtended ? 1u << 24 : 0) | (alt ? 1u << 29 : 0) |
                    (wasDown ? 1u << 30 : 0) | (release ? 1u << 31 : 0);
                fuzz::Check(packed == expect, "a key encoded by the library decodes back");
            }
        } else if (p[0] % 4 == 0) {
            keys.ProcessHookMessage(m);
        } else if (p[0] % 4 == 1) {
            mouse.ProcessHookMessage(m);
        } else {
            shell.ProcessHookMessage(m);
        }
        fuzz::Check(seen.raw == 1 && seen.rawCode == code &&
                        seen.rawW == static_cast<std::uint32_t>(m.WParam) &&
                        seen.rawL == static_cast<std::uint32_t>(m.LParam),
                    "the raw event sees every message once, 32-bit");
        if (take) {
            fuzz::Check(seen.decoded == 0 && m.Result == 0, "a taken message goes no further");
            continue;
        }
        if (p[0] % 4 == 0 || p[0] % 4 == 3) {
            CheckKey(seen, code, m, vk, packed, filter);
        } else if (p[0] % 4 == 1) {
            const std::uint32_t n = code & 15;
            fuzz::Check(seen.decoded == 1 && m.Result == 0, "every mouse message is one event");
            fuzz::Check(mouseW == static_cast<std::uint32_t>(m.WParam) &&
                            mouseWindow == static_cast<HookWindow>(m.LParam),
                        "mouse point and window as sent");
            const std::uint32_t button = n == 0 ? 0 : ((n - 1) / 3 > 2 ? 0 : (n - 1) / 3);
            fuzz::Check(clickN == (n == 0 ? 0 : button * 3 + (n - 1) % 3 + 1), "mouse code");
        } else {
            fuzz::Check(seen.decoded <= 1 && m.Result == 0, "a shell message is at most one event");
        }
    }
    return 0;
}
