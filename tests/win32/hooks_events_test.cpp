// Real input and real windows reaching receivers through the hook library: the exact messages,
// the components' events, and typing that a blocked program thread does not hold up.
#include "hooks/keyboard_hook.h"
#include "hooks/mouse_hook.h"
#include "hooks/shell_hook.h"
#include "hooks/win32/listener_window.h"
#include "hooks/win32/process_hooks.h"
#include "hooks_test_support.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <thread>

namespace tw {
namespace {

using test::KeybDllExports;
using test::PumpUntil;
using test::RecordingWindow;
using test::SendKey;

constexpr WORD kKeyA = 'A';
constexpr WORD kScanA = 0x1E;

std::vector<test::RecordedMessage> KeyMessagesFor(const RecordingWindow& w, WPARAM vk) {
    std::vector<test::RecordedMessage> result;
    for (const auto& m : w.messages)
        if (m.msg == WM_USER && m.wParam == vk)
            result.push_back(m);
    return result;
}

TEST(HookDelivery, KeystrokeArrivesAsTheContractMessage) {
    KeybDllExports dll;
    ASSERT_TRUE(dll.Complete());
    RecordingWindow receiver;
    ASSERT_EQ(0, dll.attach(1, receiver.Handle(), 0));
    ASSERT_EQ(1u, SendKey(kKeyA, kScanA, false));
    ASSERT_EQ(1u, SendKey(kKeyA, kScanA, true));
    ASSERT_EQ(1u, SendKey(VK_RIGHT, 0x4D, false, true));
    ASSERT_EQ(1u, SendKey(VK_RIGHT, 0x4D, true, true));
    EXPECT_TRUE(PumpUntil([&] { return KeyMessagesFor(receiver, VK_RIGHT).size() >= 2; }));
    const auto a = KeyMessagesFor(receiver, kKeyA);
    ASSERT_EQ(2u, a.size());
    // Repeat 1, scan code, not extended, no Alt; the release has the previous-state and
    // transition bits.
    EXPECT_EQ(0x001E0001, a[0].lParam) << std::hex << a[0].lParam;
    EXPECT_EQ(static_cast<LPARAM>(0xC01E0001u), a[1].lParam) << std::hex << a[1].lParam;
    const auto right = KeyMessagesFor(receiver, VK_RIGHT);
    ASSERT_EQ(2u, right.size());
    EXPECT_EQ(0x014D0001, right[0].lParam) << std::hex << right[0].lParam;
    EXPECT_EQ(static_cast<LPARAM>(0xC14D0001u), right[1].lParam) << std::hex << right[1].lParam;
    // In the order they happened.
    EXPECT_LE(a[1].at, right[0].at);
    EXPECT_EQ(0, dll.detach(1, receiver.Handle()));
}

TEST(HookDelivery, DestroyedReceiverIsDroppedQuietly) {
    KeybDllExports dll;
    ASSERT_TRUE(dll.Complete());
    auto gone = std::make_unique<RecordingWindow>();
    RecordingWindow stays;
    const HWND goneHandle = gone->Handle();
    ASSERT_EQ(0, dll.attach(1, goneHandle, 0));
    ASSERT_EQ(0, dll.attach(1, stays.Handle(), 0));
    gone.reset(); // destroyed without detaching
    SendKey('K', 0x25, false);
    SendKey('K', 0x25, true);
    EXPECT_TRUE(PumpUntil([&] { return KeyMessagesFor(stays, 'K').size() >= 2; }));
    // Posting the first key to the dead window failed, so the library had forgotten it before
    // the key reached the receiver registered after it.
    EXPECT_EQ(-3, dll.detach(1, goneHandle));
    EXPECT_EQ(0, dll.detach(1, stays.Handle()));
}

TEST(HookDelivery, KeyboardComponentDecodesInjectedKeys) {
    TKvKeyboardHook keys(ProcessHookLoader(), ProcessHookHost(), "KeyHook");
    keys.SetHookDLL(kHookLibraryName);
    struct Seen {
        std::uint32_t vk;
        std::uint16_t repeat;
        std::uint8_t scan;
        bool extended, alt, wasDown, pressed;
    };
    std::vector<Seen> seen;
    keys.OnKeyAction = [&](TKvSysHook& sender, std::uint32_t vk, std::uint16_t repeat,
                           std::uint8_t scan, bool extended, bool alt, bool wasDown, bool pressed,
                           bool&) {
        EXPECT_EQ(&keys, &sender);
        if (vk == 'Q' || vk == 'W')
            seen.push_back({vk, repeat, scan, extended, alt, wasDown, pressed});
    };
    std::string error;
    keys.Start(error);
    ASSERT_EQ("", error);
    const WORD sequence[] = {'Q', 'W'};
    for (WORD vk : sequence) {
        SendKey(vk, static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)), false);
        SendKey(vk, static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)), true);
    }
    EXPECT_TRUE(PumpUntil([&] { return seen.size() >= 4; }));
    keys.Stop();
    ASSERT_EQ(4u, seen.size());
    EXPECT_EQ('Q', seen[0].vk);
    EXPECT_TRUE(seen[0].pressed);
    EXPECT_FALSE(seen[0].wasDown);
    EXPECT_EQ('Q', seen[1].vk);
    EXPECT_FALSE(seen[1].pressed);
    EXPECT_TRUE(seen[1].wasDown);
    EXPECT_EQ('W', seen[2].vk);
    EXPECT_EQ('W', seen[3].vk);
    for (const auto& s : seen) {
        EXPECT_EQ(1, s.repeat);
        EXPECT_FALSE(s.extended);
        EXPECT_FALSE(s.alt);
    }
}

// A receiver on a thread of its own that stops pumping for two seconds once attached.
struct BlockedReceiver {
    std::atomic<bool> attached{false};
    std::atomic<bool> filtering{false};
    std::atomic<bool> awake{false};
    std::thread thread;

    void Run(KeybDllExports& dll, bool allowFiltering) {
        filtering = allowFiltering;
        thread = std::thread([this, &dll] {
            RecordingWindow window;
            window.answer = 0;
            dll.attach(1, window.Handle(), filtering ? 1 : 0);
            attached = true;
            Sleep(2000);
            awake = true;
            PumpUntil([] { return false; }, 100);
            dll.detach(1, window.Handle());
        });
    }
    ~BlockedReceiver() {
        if (thread.joinable())
            thread.join();
    }
};

void ExpectTypingUnaffected(bool blockedOneFilters) {
    KeybDllExports dll;
    ASSERT_TRUE(dll.Complete());
    BlockedReceiver blocked;
    blocked.Run(dll, blockedOneFilters);
    while (!blocked.attached)
        Sleep(5);
    RecordingWindow receiver;
    ASSERT_EQ(0, dll.attach(1, receiver.Handle(), 0));
    // Sent from a thread of its own: under some systems SendInput returns only once the
    // low-level hooks have run, and this thread must be pumping by then.
    std::thread typist([&] {
        for (int i = 0; i < 4; ++i) {
            SendKey('Z', 0x2C, i % 2 == 1);
        }
    });
    const bool arrived = PumpUntil([&] { return KeyMessagesFor(receiver, 'Z').size() >= 4; });
    // Had the hook waited for the sleeper, the keys would come only after it woke.
    const bool sleeperStillAsleep = !blocked.awake;
    typist.join();
    EXPECT_TRUE(arrived);
    EXPECT_TRUE(sleeperStillAsleep) << "the keys waited for the blocked receiver";
    EXPECT_EQ(0, dll.detach(1, receiver.Handle()));
}

TEST(HookDelivery, BlockedReceiverThreadDoesNotDelayOthers) {
    ExpectTypingUnaffected(false);
}

TEST(HookDelivery, BlockedFilteringReceiverDelaysOthersOnlyBriefly) {
    ExpectTypingUnaffected(true);
}

TEST(HookDelivery, FilteringReceiverCanDiscardAKey) {
    KeybDllExports dll;
    ASSERT_TRUE(dll.Complete());
    RecordingWindow filter, observer;
    filter.answer = 1; // discard every key
    ASSERT_EQ(0, dll.attach(1, filter.Handle(), 1));
    ASSERT_EQ(0, dll.attach(1, observer.Handle(), 0));
    std::atomic<bool> done{false};
    // The filter's answer is awaited synchronously, so this thread must keep pumping while the
    // input is sent from another one. Only the press is sent first: had it got through, the
    // key would now be down.
    std::thread sender([&] {
        SendKey('X', 0x2D, false);
        done = true;
    });
    EXPECT_TRUE(PumpUntil([&] { return done && !KeyMessagesFor(observer, 'X').empty(); }));
    sender.join();
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(0, GetAsyncKeyState('X') & 0x8000);
    std::thread release([] { SendKey('X', 0x2D, true); });
    PumpUntil([&] { return KeyMessagesFor(filter, 'X').size() >= 2; });
    release.join();
    EXPECT_EQ(2u, KeyMessagesFor(filter, 'X').size());
    dll.detach(1, filter.Handle());
    dll.detach(1, observer.Handle());
}

TEST(HookDelivery, MouseComponentReportsMovesAndClicks) {
    TKvMouseHook mouse(ProcessHookLoader(), ProcessHookHost(), "MouseHook");
    mouse.SetHookDLL(kHookLibraryName);
    std::vector<std::pair<std::int32_t, std::int32_t>> moves;
    std::vector<std::pair<TMouseButton, TKvMouseButtonMovement>> clicks;
    mouse.OnMouseMove = [&](TKvSysHook&, HookWindow, std::int32_t x, std::int32_t y) {
        moves.emplace_back(x, y);
    };
    mouse.OnMouseClick = [&](TKvSysHook&, HookWindow, std::int32_t, std::int32_t, TMouseButton b,
                             TKvMouseButtonMovement m) { clicks.emplace_back(b, m); };
    std::string error;
    mouse.Start(error);
    ASSERT_EQ("", error);
    SetCursorPos(10, 10);
    PumpUntil([] { return false; }, 100);
    INPUT input[3] = {};
    for (auto& i : input)
        i.type = INPUT_MOUSE;
    input[0].mi.dx = 30;
    input[0].mi.dy = 40;
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE;
    input[1].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    input[2].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    ASSERT_EQ(3u, SendInput(3, input, sizeof(INPUT)));
    EXPECT_TRUE(PumpUntil([&] { return clicks.size() >= 2; }));
    mouse.Stop();
    ASSERT_FALSE(moves.empty());
    POINT now;
    GetCursorPos(&now);
    EXPECT_EQ(std::make_pair(static_cast<std::int32_t>(now.x), static_cast<std::int32_t>(now.y)),
              moves.back());
    ASSERT_EQ(2u, clicks.size());
    EXPECT_EQ(TMouseButton::mbRight, clicks[0].first);
    EXPECT_EQ(TKvMouseButtonMovement::mbmDown, clicks[0].second);
    EXPECT_EQ(TKvMouseButtonMovement::mbmUp, clicks[1].second);
}

HWND CreateTopLevel(const wchar_t* title) {
    static const bool registered = [] {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TextwrightHookTestTopLevel";
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
    HWND w = CreateWindowExW(0, L"TextwrightHookTestTopLevel", title, WS_OVERLAPPEDWINDOW, 50, 50,
                             300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(w, SW_SHOW);
    SetForegroundWindow(w);
    return w;
}

TEST(HookDelivery, ShellComponentReportsActivationAndDestruction) {
    TKvShellHook shell(ProcessHookLoader(), ProcessHookHost(), "ShellHook");
    shell.SetHookDLL(kHookLibraryName);
    std::vector<std::pair<char, HookWindow>> events;
    shell.OnWindowActivated = [&](TKvSysHook&, HookWindow w) { events.emplace_back('A', w); };
    shell.OnWindowDestroyed = [&](TKvSysHook&, HookWindow w) { events.emplace_back('D', w); };
    std::string error;
    shell.Start(error);
    ASSERT_EQ("", error);
    HWND first = CreateTopLevel(L"first");
    const HookWindow firstId = HwndToHookWindow(first);
    auto count = [&](char kind, HookWindow w) {
        return std::count(events.begin(), events.end(), std::make_pair(kind, w));
    };
    EXPECT_TRUE(PumpUntil([&] { return count('A', firstId) > 0; }));
    HWND second = CreateTopLevel(L"second");
    const HookWindow secondId = HwndToHookWindow(second);
    EXPECT_TRUE(PumpUntil([&] { return count('A', secondId) > 0; }));
    DestroyWindow(second);
    EXPECT_TRUE(PumpUntil([&] { return count('D', secondId) > 0; }));
    DestroyWindow(first);
    EXPECT_TRUE(PumpUntil([&] { return count('D', firstId) > 0; }));
    // Let the poll run a few more rounds: nothing is reported twice.
    PumpUntil([] { return false; }, 400);
    EXPECT_EQ(1, count('A', secondId));
    EXPECT_EQ(1, count('D', secondId));
    EXPECT_EQ(1, count('D', firstId));

    // With NotifyOwnEvents false the program's own windows are not reported.
    shell.Stop();
    shell.NotifyOwnEvents = false;
    events.clear();
    shell.Start(error);
    HWND own = CreateTopLevel(L"own");
    PumpUntil([] { return false; }, 500);
    DestroyWindow(own);
    PumpUntil([] { return false; }, 300);
    EXPECT_TRUE(events.empty());
    shell.Stop();
}

} // namespace
} // namespace tw
