// Library messages turned into component events: every code of the three kinds.
#include "fake_hook_ports.h"
#include "hooks/keyboard_hook.h"
#include "hooks/mouse_hook.h"
#include "hooks/shell_hook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw {
namespace {

using test::FakeHookHost;
using test::FakeHookModule;

HookMessage Message(std::uint32_t code, std::uint64_t wParam, std::uint64_t lParam) {
    HookMessage m;
    m.Msg = kHookMessageBase + code;
    m.WParam = wParam;
    m.LParam = lParam;
    m.Result = 77; // must be reset
    return m;
}

class Decoding : public ::testing::Test {
protected:
    FakeHookModule port;
    FakeHookHost host;
    HookLoader loader{port};
    std::vector<std::string> events;

    void RecordUnfiltered(TKvSysHook& hook, bool handle = false) {
        hook.OnUnfiltered = [this, handle](TKvSysHook&, std::uint32_t code, std::uint32_t w,
                                           std::uint32_t l, bool& handled) {
            events.push_back("raw " + std::to_string(code) + " " + std::to_string(w) + " " +
                             std::to_string(l));
            handled = handle;
        };
    }
};

class ShellDecoding : public Decoding {
protected:
    TKvShellHook shell{loader, host, "ShellHook"};

    ShellDecoding() {
        auto window = [this](const char* name) {
            return [this, name](TKvSysHook& sender, HookWindow w) {
                EXPECT_EQ(&shell, &sender);
                events.push_back(std::string(name) + " " + std::to_string(w));
            };
        };
        shell.OnWindowCreated = window("created");
        shell.OnWindowDestroyed = window("destroyed");
        shell.OnWindowActivated = window("activated");
        shell.OnLanguageChange = window("language");
        shell.OnActivateShellWindow = [this](TKvSysHook&) { events.push_back("shell window"); };
        shell.OnTaskManager = [this](TKvSysHook&) { events.push_back("task manager"); };
        shell.OnWindowTitleRedraw = [this](TKvSysHook&, HookWindow w, bool flashing) {
            events.push_back("title " + std::to_string(w) + (flashing ? " flashing" : " steady"));
        };
        shell.OnAccessibilityStateChanged = [this](TKvSysHook&, std::uint32_t feature) {
            events.push_back("accessibility " + std::to_string(feature));
        };
    }

    std::vector<std::string> Process(std::uint32_t code, std::uint64_t w, std::uint64_t l) {
        events.clear();
        HookMessage m = Message(code, w, l);
        shell.ProcessHookMessage(m);
        EXPECT_EQ(0, m.Result);
        return events;
    }
};

TEST_F(ShellDecoding, EveryCode) {
    struct Case {
        std::uint32_t code;
        std::uint64_t w, l;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {1, 0x10, 0, {"created 16"}},
        {2, 0x20, 0, {"destroyed 32"}},
        {3, 0x30, 0, {"shell window"}},
        {4, 0x40, 0, {"activated 64"}},
        {5, 0x50, 0, {}},
        {6, 0x60, 0, {"title 96 steady"}},
        {6, 0x60, 0x100000000ull, {"title 96 steady"}}, // only the low 32 bits count
        {6, 0x61, 5, {"title 97 flashing"}},
        {7, 0, 0, {"task manager"}},
        {8, 0x80, 0x409, {"language 128"}},
        {9, 0x90, 0, {}},
        {10, 0xA0, 0, {}},
        {11, 3, 0, {"accessibility 3"}},
        {12, 0xC0, 0, {}},
        {0, 0xD0, 0, {}},
        {4, 0x1'0000'0042ull, 0, {"activated 66"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, Process(c.code, c.w, c.l)) << "code " << c.code;
}

TEST_F(ShellDecoding, UnfilteredSeesEveryCodeFirst) {
    RecordUnfiltered(shell);
    EXPECT_EQ((std::vector<std::string>{"raw 4 64 0", "activated 64"}), Process(4, 0x40, 0));
    for (std::uint32_t code : {5u, 9u, 10u})
        EXPECT_EQ(std::vector<std::string>{"raw " + std::to_string(code) + " 1 2"},
                  Process(code, 1, 2));
}

TEST_F(ShellDecoding, HandledUnfilteredSuppressesTheDecodedEvent) {
    RecordUnfiltered(shell, true);
    for (std::uint32_t code : {1u, 2u, 3u, 4u, 6u, 7u, 8u, 11u})
        EXPECT_EQ(1u, Process(code, 0x40, 0).size()) << code;
}

TEST_F(ShellDecoding, OwnWindowFilter) {
    host.ownWindows = {0x777};
    // With NotifyOwnEvents true (the default) nothing is dropped.
    EXPECT_EQ(std::vector<std::string>{"activated 1911"}, Process(4, 0x777, 0));
    shell.NotifyOwnEvents = false;
    for (std::uint32_t code : {1u, 2u, 4u, 6u, 8u})
        EXPECT_TRUE(Process(code, 0x777, 0).empty()) << code;
    // Codes without a window are never filtered, even when wParam happens to match.
    EXPECT_EQ(std::vector<std::string>{"shell window"}, Process(3, 0x777, 0));
    EXPECT_EQ(std::vector<std::string>{"task manager"}, Process(7, 0x777, 0));
    EXPECT_EQ(std::vector<std::string>{"accessibility 1911"}, Process(11, 0x777, 0));
    // Any other window still comes through.
    EXPECT_EQ(std::vector<std::string>{"activated 4660"}, Process(4, 0x1234, 0));
}

TEST_F(ShellDecoding, OwnWindowStaysOwnAfterItIsGone) {
    shell.NotifyOwnEvents = false;
    host.ownWindows = {0x777};
    EXPECT_TRUE(Process(4, 0x777, 0).empty());
    // Destroyed: the system no longer knows whose it was, the component still does.
    host.ownWindows.clear();
    EXPECT_TRUE(Process(2, 0x777, 0).empty());
    // Only once: a later window with the same handle may be anyone's.
    EXPECT_EQ(std::vector<std::string>{"destroyed 1911"}, Process(2, 0x777, 0));
    // A window never seen as own is reported.
    EXPECT_EQ(std::vector<std::string>{"destroyed 2184"}, Process(2, 0x888, 0));
}

TEST_F(Decoding, UnassignedEventsAreNotCalled) {
    TKvShellHook shell(loader, host, "");
    TKvKeyboardHook keys(loader, host, "");
    TKvMouseHook mouse(loader, host, "");
    for (std::uint32_t code = 0; code < 20; ++code) {
        HookMessage a = Message(code, 1, 2), b = Message(code, 1, 2), c = Message(code, 1, 2);
        shell.ProcessHookMessage(a);
        keys.ProcessHookMessage(b);
        mouse.ProcessHookMessage(c);
        EXPECT_EQ(0, a.Result + b.Result + c.Result);
    }
}

struct KeyEvent {
    std::uint32_t vk;
    std::uint16_t repeat;
    std::uint8_t scan;
    bool extended, alt, wasDown, pressed;
    bool operator==(const KeyEvent&) const = default;
};

class KeyboardDecoding : public Decoding {
protected:
    TKvKeyboardHook keys{loader, host, "KeyHook"};
    std::vector<KeyEvent> keyEvents;
    bool filter = false;

    KeyboardDecoding() {
        keys.OnKeyAction = [this](TKvSysHook&, std::uint32_t vk, std::uint16_t repeat,
                                  std::uint8_t scan, bool extended, bool alt, bool wasDown,
                                  bool pressed, bool& filterEvent) {
            EXPECT_FALSE(filterEvent);
            keyEvents.push_back({vk, repeat, scan, extended, alt, wasDown, pressed});
            filterEvent = filter;
        };
    }
};

TEST_F(KeyboardDecoding, FlagsAreTakenApart) {
    struct Case {
        std::uint32_t vk;
        std::uint32_t flags;
        KeyEvent expected;
    };
    const Case cases[] = {
        {0x41, 0x001E0001, {0x41, 1, 0x1E, false, false, false, true}},      // A pressed
        {0x41, 0xC01E0001, {0x41, 1, 0x1E, false, false, true, false}},      // A released
        {0x41, 0x401E0003, {0x41, 3, 0x1E, false, false, true, true}},       // auto-repeat
        {0x25, 0x014B0001, {0x25, 1, 0x4B, true, false, false, true}},       // Left (extended)
        {0x73, 0x203E0001, {0x73, 1, 0x3E, false, true, false, true}},       // Alt+F4
        {0xA5, 0xE1380001, {0xA5, 1, 0x38, true, true, true, false}},        // right Alt up
        {0x20, 0x0039FFFF, {0x20, 0xFFFF, 0x39, false, false, false, true}}, // repeat limit
        {0x0D, 0x1E1C0001, {0x0D, 1, 0x1C, false, false, false, true}},      // unused bits
    };
    for (const auto& c : cases) {
        keyEvents.clear();
        HookMessage m = Message(0, c.vk, c.flags);
        keys.ProcessHookMessage(m);
        ASSERT_EQ(1u, keyEvents.size());
        EXPECT_EQ(c.expected, keyEvents[0]) << std::hex << c.flags;
        EXPECT_EQ(0, m.Result);
    }
}

TEST_F(KeyboardDecoding, FilteringAnswersOne) {
    filter = true;
    HookMessage m = Message(0, 0x41, 0x001E0001);
    keys.ProcessHookMessage(m);
    EXPECT_EQ(1, m.Result);
    filter = false;
    keys.ProcessHookMessage(m);
    EXPECT_EQ(0, m.Result);
}

TEST_F(KeyboardDecoding, OtherCodesReachOnlyTheRawEvent) {
    RecordUnfiltered(keys);
    for (std::uint32_t code : {1u, 2u, 4u, 15u, 16u}) {
        HookMessage m = Message(code, 0x41, 0x001E0001);
        keys.ProcessHookMessage(m);
    }
    EXPECT_TRUE(keyEvents.empty());
    EXPECT_EQ(5u, events.size());
}

TEST_F(KeyboardDecoding, HandledUnfilteredSuppressesTheKey) {
    RecordUnfiltered(keys, true);
    filter = true;
    HookMessage m = Message(0, 0x41, 0x001E0001);
    keys.ProcessHookMessage(m);
    EXPECT_TRUE(keyEvents.empty());
    EXPECT_EQ(0, m.Result);
    EXPECT_EQ(std::vector<std::string>{"raw 0 65 1966081"}, events);
}

class MouseDecoding : public Decoding {
protected:
    TKvMouseHook mouse{loader, host, "MouseHook"};

    MouseDecoding() {
        mouse.OnMouseMove = [this](TKvSysHook&, HookWindow w, std::int32_t x, std::int32_t y) {
            events.push_back("move " + std::to_string(w) + " " + std::to_string(x) + "," +
                             std::to_string(y));
        };
        mouse.OnMouseClick = [this](TKvSysHook&, HookWindow w, std::int32_t x, std::int32_t y,
                                    TMouseButton b, TKvMouseButtonMovement m) {
            static const char* const buttons[] = {"left", "right", "middle"};
            static const char* const moves[] = {"down", "up", "double"};
            events.push_back(std::string(buttons[static_cast<int>(b)]) + " " +
                             moves[static_cast<int>(m)] + " " + std::to_string(w) + " " +
                             std::to_string(x) + "," + std::to_string(y));
        };
    }

    std::vector<std::string> Process(std::uint32_t code, std::uint64_t w, std::uint64_t l) {
        events.clear();
        HookMessage m = Message(code, w, l);
        mouse.ProcessHookMessage(m);
        EXPECT_EQ(0, m.Result);
        return events;
    }
};

TEST_F(MouseDecoding, EveryCode) {
    const std::uint64_t at = (200u << 16) | 100u;
    const std::pair<std::uint32_t, const char*> cases[] = {
        {0, "move 9 100,200"},
        {1, "left down 9 100,200"},
        {2, "left up 9 100,200"},
        {3, "left double 9 100,200"},
        {4, "right down 9 100,200"},
        {5, "right up 9 100,200"},
        {6, "right double 9 100,200"},
        {7, "middle down 9 100,200"},
        {8, "middle up 9 100,200"},
        {9, "middle double 9 100,200"},
        {10, "left down 9 100,200"},
        {12, "left double 9 100,200"},
        {13, "left down 9 100,200"},
        {15, "left double 9 100,200"},
        {16, "move 9 100,200"},
        {17, "left down 9 100,200"},
        {0x106, "right double 9 100,200"},
    };
    for (const auto& [code, text] : cases)
        EXPECT_EQ(std::vector<std::string>{text}, Process(code, at, 9)) << "code " << code;
}

TEST_F(MouseDecoding, CoordinatesAreUnsigned16Bit) {
    // A pointer at (-5, -1) on a monitor left of and above the primary one.
    const std::uint64_t at = (static_cast<std::uint64_t>(0xFFFF) << 16) | 0xFFFB;
    EXPECT_EQ(std::vector<std::string>{"move 3 65531,65535"}, Process(0, at, 3));
    EXPECT_EQ(std::vector<std::string>{"left down 3 0,65535"}, Process(1, 0xFFFF0000u, 3));
    // Bits above 31 of a 64-bit wParam are not part of the position.
    EXPECT_EQ(std::vector<std::string>{"move 3 1,2"}, Process(0, 0xABCD'0002'0001ull, 3));
}

TEST_F(MouseDecoding, HandledUnfilteredSuppressesTheClick) {
    RecordUnfiltered(mouse, true);
    EXPECT_EQ(std::vector<std::string>{"raw 1 65537 4"}, Process(1, 0x00010001, 4));
}

} // namespace
} // namespace tw
