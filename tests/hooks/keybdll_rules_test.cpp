// The hook library's rules: its receiver registry, the keystroke flags it rebuilds from
// low-level data, its mouse codes, and the single notifications it derives from window events.
#include "hooks/hook_status.h"
#include "keybdll/event_encoding.h"
#include "keybdll/receiver_table.h"
#include "keybdll/window_tracker.h"

#include <gtest/gtest.h>

#include <set>

namespace tw::keybdll {
namespace {

TEST(ReceiverTable, RegistersOncePerKindAndWindow) {
    ReceiverTable table;
    EXPECT_EQ(kHookNoError, table.Add(1, 0x100, 0));
    EXPECT_EQ(kHookReceiverAlreadyRegistered, table.Add(1, 0x100, 1));
    // The same window may take another kind too.
    EXPECT_EQ(kHookNoError, table.Add(2, 0x100, 0));
    EXPECT_EQ(1u, table.Count(1));
    EXPECT_EQ(1u, table.Count(2));
    EXPECT_EQ(0u, table.Count(0));
    EXPECT_EQ(kHookReceiverNotRegistered, table.Remove(0, 0x100));
    EXPECT_EQ(kHookNoError, table.Remove(1, 0x100));
    EXPECT_EQ(kHookReceiverNotRegistered, table.Remove(1, 0x100));
    EXPECT_FALSE(table.Empty());
}

TEST(ReceiverTable, ReadsOnlyTheLowByteOfByteArguments) {
    ReceiverTable table;
    // Upper bits of the 32-bit slots are undefined garbage.
    EXPECT_EQ(kHookNoError, table.Add(0xDEADBE01, 0x200, 0xFFFFFF00));
    ASSERT_EQ(1u, table.Count(1));
    EXPECT_FALSE(table.OfKind(1)[0].allowFiltering);
    EXPECT_EQ(kHookNoError, table.Add(0x12345602, 0x200, 0xABCDEF01));
    EXPECT_TRUE(table.OfKind(2)[0].allowFiltering);
    EXPECT_EQ(kHookNoError, table.Remove(0x77777701, 0x200));
}

TEST(ReceiverTable, RefusesWhatItCannotServe) {
    ReceiverTable table;
    EXPECT_EQ(kErrorInvalidParameter, table.Add(3, 0x100, 0));
    EXPECT_EQ(kErrorInvalidParameter, table.Add(0xFF, 0x100, 0));
    EXPECT_EQ(kErrorInvalidWindowHandle, table.Add(0, 0, 0));
    for (std::uintptr_t w = 1; w <= ReceiverTable::kMaxReceivers; ++w)
        ASSERT_EQ(kHookNoError, table.Add(0, w, 0));
    EXPECT_EQ(kHookTooManyReceivers, table.Add(1, 0x9999, 0));
    EXPECT_TRUE(table.Empty() == false);
}

TEST(ReceiverTable, ForgettingAWindowDropsAllItsKindsAndKeepsOrder) {
    ReceiverTable table;
    table.Add(1, 0x10, 0);
    table.Add(1, 0x20, 1);
    table.Add(2, 0x10, 0);
    table.Add(1, 0x30, 0);
    EXPECT_TRUE(table.RemoveWindow(0x10));
    EXPECT_FALSE(table.RemoveWindow(0x10));
    const auto keyboard = table.OfKind(1);
    ASSERT_EQ(2u, keyboard.size());
    EXPECT_EQ(0x20u, keyboard[0].window);
    EXPECT_EQ(0x30u, keyboard[1].window);
    EXPECT_EQ(0u, table.Count(2));
    table.RemoveWindow(0x20);
    table.RemoveWindow(0x30);
    EXPECT_TRUE(table.Empty());
}

struct Flags {
    unsigned repeat, scan;
    bool extended, alt, wasDown, release;
};

Flags Split(std::uint32_t f) {
    return {f & 0xFFFF,         (f >> 16) & 0xFF,   (f >> 24 & 1) != 0,
            (f >> 29 & 1) != 0, (f >> 30 & 1) != 0, (f >> 31 & 1) != 0};
}

TEST(KeystrokeEncoder, RebuildsTheFlagsOfAKeySequence) {
    struct Step {
        LowLevelKey key;
        Flags expected;
    };
    const Step steps[] = {
        {{0x41, 0x1E, 0}, {1, 0x1E, false, false, false, false}},                // A down
        {{0x41, 0x1E, 0}, {1, 0x1E, false, false, true, false}},                 // auto-repeat
        {{0x41, 0x1E, kLowLevelUp}, {1, 0x1E, false, false, true, true}},        // A up
        {{0x41, 0x1E, 0}, {1, 0x1E, false, false, false, false}},                // A down again
        {{0x25, 0x4B, kLowLevelExtended}, {1, 0x4B, true, false, false, false}}, // Left
        {{0x73, 0x3E, kLowLevelAltDown}, {1, 0x3E, false, true, false, false}},  // Alt+F4
        {{0x73, 0x3E, kLowLevelAltDown | kLowLevelUp}, {1, 0x3E, false, true, true, true}},
        {{0x42, 0x130, kLowLevelInjected}, {1, 0x30, false, false, false, false}}, // scan byte
        {{0x1FF, 0x01, 0}, {1, 0x01, false, false, false, false}},                 // odd vk
        {{0x43, 0x2E, kLowLevelUp}, {1, 0x2E, false, false, true, true}}, // up never seen down
        // Right Alt held, reported without the low-level Alt flag (as under Wine).
        {{0xA5, 0x38, kLowLevelExtended}, {1, 0x38, true, true, false, false}},
        {{0x37, 0x08, 0}, {1, 0x08, false, true, false, false}}, // 7 with Alt held
        {{0x37, 0x08, kLowLevelUp}, {1, 0x08, false, true, true, true}},
        {{0xA5, 0x38, kLowLevelExtended | kLowLevelUp}, {1, 0x38, true, false, true, true}},
        {{0x37, 0x08, 0}, {1, 0x08, false, false, false, false}}, // Alt released
        {{0x12, 0x38, 0}, {1, 0x38, false, true, false, false}},  // either Alt counts
        {{0x12, 0x38, kLowLevelUp}, {1, 0x38, false, false, true, true}},
    };
    KeystrokeEncoder encoder;
    int i = 0;
    for (const auto& s : steps) {
        const Flags f = Split(encoder.Encode(s.key));
        EXPECT_EQ(s.expected.repeat, f.repeat) << i;
        EXPECT_EQ(s.expected.scan, f.scan) << i;
        EXPECT_EQ(s.expected.extended, f.extended) << i;
        EXPECT_EQ(s.expected.alt, f.alt) << i;
        EXPECT_EQ(s.expected.wasDown, f.wasDown) << i;
        EXPECT_EQ(s.expected.release, f.release) << i;
        ++i;
    }
}

TEST(MouseEncoding, CodesForMouseMessages) {
    const std::pair<std::uint32_t, int> cases[] = {
        {0x200, 0},  {0x201, 1},  {0x202, 2},  {0x203, 3}, {0x204, 4},  {0x205, 5},
        {0x206, 6},  {0x207, 7},  {0x208, 8},  {0x209, 9}, {0x20A, -1}, // wheel
        {0x20B, -1}, {0x20E, -1}, {0x1FF, -1}, {0, -1},
    };
    for (const auto& [message, code] : cases) {
        const auto got = MouseCode(message);
        if (code < 0)
            EXPECT_FALSE(got.has_value()) << std::hex << message;
        else
            EXPECT_EQ(static_cast<std::uint32_t>(code), got.value_or(99)) << std::hex << message;
    }
}

TEST(MouseEncoding, PacksScreenPointsAsUnsigned16Bit) {
    EXPECT_EQ(0x00C80064u, PackScreenPoint(100, 200));
    EXPECT_EQ(0xFFFFFFFBu, PackScreenPoint(-5, -1));
    EXPECT_EQ(0x0000FFFFu, PackScreenPoint(-1, 0));
    EXPECT_EQ(0x80000000u | 0x7FFFu, PackScreenPoint(32767, -32768));
}

TEST(TaskbarWindows, WhichWindowsCount) {
    constexpr std::uint32_t tool = 0x80, app = 0x40000;
    EXPECT_TRUE(IsTaskbarWindow(true, false, 0));
    EXPECT_FALSE(IsTaskbarWindow(false, false, 0));
    EXPECT_FALSE(IsTaskbarWindow(true, true, 0));
    EXPECT_FALSE(IsTaskbarWindow(true, false, tool));
    EXPECT_TRUE(IsTaskbarWindow(true, true, app));
    EXPECT_TRUE(IsTaskbarWindow(true, false, tool | app));
    EXPECT_FALSE(IsTaskbarWindow(false, false, app));
}

TEST(WindowTracker, ActivationIsReportedOncePerChange) {
    WindowTracker t;
    EXPECT_EQ((ShellNotification{4, 0xA}), t.Foreground(0xA));
    // The poll and the system's notification both seeing A make one activation.
    EXPECT_FALSE(t.Foreground(0xA));
    EXPECT_FALSE(t.Foreground(0)); // nothing in front: nothing to say
    EXPECT_FALSE(t.Foreground(0xA));
    EXPECT_EQ((ShellNotification{4, 0xB}), t.Foreground(0xB));
    EXPECT_EQ((ShellNotification{4, 0xA}), t.Foreground(0xA));
}

TEST(WindowTracker, CreationAndDestructionOfKnownWindowsOnly) {
    WindowTracker t;
    EXPECT_EQ((ShellNotification{1, 0xA}), t.Shown(0xA));
    EXPECT_FALSE(t.Shown(0xA));     // shown again after hiding: not a new window
    EXPECT_FALSE(t.Destroyed(0xC)); // a child or a window never seen
    EXPECT_EQ((ShellNotification{6, 0xA}), t.TitleChanged(0xA));
    EXPECT_FALSE(t.TitleChanged(0xC));
    EXPECT_EQ((ShellNotification{2, 0xA}), t.Destroyed(0xA));
    EXPECT_FALSE(t.Destroyed(0xA));
    // Activated windows are known too, so their end is reported.
    t.Foreground(0xB);
    EXPECT_EQ((ShellNotification{2, 0xB}), t.Destroyed(0xB));
    // A new window that reuses the handle is activated afresh.
    EXPECT_EQ((ShellNotification{4, 0xB}), t.Foreground(0xB));
}

TEST(WindowTracker, SweepReportsVanishedWindowsOnce) {
    WindowTracker t;
    t.Shown(0x1);
    t.Shown(0x2);
    t.Foreground(0x3);
    std::set<std::uintptr_t> alive = {0x2};
    auto exists = [&](std::uintptr_t w) { return alive.count(w) > 0; };
    const auto gone = t.Sweep(exists);
    ASSERT_EQ(2u, gone.size());
    EXPECT_EQ((ShellNotification{2, 0x1}), gone[0]);
    EXPECT_EQ((ShellNotification{2, 0x3}), gone[1]);
    EXPECT_TRUE(t.Sweep(exists).empty());
    // Destruction seen by the sweep is not reported again by the system's late notification.
    EXPECT_FALSE(t.Destroyed(0x1));
    EXPECT_EQ(1u, t.KnownCount());
}

} // namespace
} // namespace tw::keybdll
