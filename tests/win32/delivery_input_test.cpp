// Synthesized keys on the real system: a batch goes out in one call as plain virtual-key
// events, the trace records each call, and a batch the system cuts short leaves no key held.
#include "../delivery/delivery_fakes.h"
#include "delivery/step_executor.h"
#include "delivery/win32/keyboard_layouts.h"
#include "delivery/win32/system_input.h"
#include "delivery/win32/trace_file.h"
#include "fakes/temp_dir.h"
#include "platform/win32/unique_handle.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>
#include <vector>

namespace tw::win32 {
namespace {

struct SeenKey {
    DWORD vk;
    bool up;
    bool injected;
    ULONG_PTR extra;
    bool operator==(const SeenKey&) const = default;
};

// A low-level keyboard hook on a thread of its own, recording every key the system sees.
class KeyWatcher {
public:
    KeyWatcher() {
        thread_ = std::thread([this] {
            self_ = this;
            UniqueHook hook(SetWindowsHookExW(WH_KEYBOARD_LL, &Proc, GetModuleHandleW(nullptr), 0));
            threadId_ = GetCurrentThreadId();
            ready_ = true;
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            }
        });
        while (!ready_) {
            Sleep(5);
        }
    }
    ~KeyWatcher() {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
        self_ = nullptr;
    }
    // The keys seen once `count` have arrived, or after two seconds.
    std::vector<SeenKey> Seen(std::size_t count) {
        for (int i = 0; i < 200 && Size() < count; ++i) {
            Sleep(10);
        }
        std::lock_guard<std::mutex> lock(mutex_);
        return seen_;
    }
    // The scan codes of what was seen: the UTF-16 unit of a typed-out character.
    std::vector<DWORD> Scans() {
        std::lock_guard<std::mutex> lock(mutex_);
        return scans_;
    }

private:
    std::size_t Size() {
        std::lock_guard<std::mutex> lock(mutex_);
        return seen_.size();
    }
    static LRESULT CALLBACK Proc(int code, WPARAM wp, LPARAM lp) {
        if (code == HC_ACTION && self_) {
            const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp);
            std::lock_guard<std::mutex> lock(self_->mutex_);
            self_->seen_.push_back({k->vkCode, wp == WM_KEYUP || wp == WM_SYSKEYUP,
                                    (k->flags & LLKHF_INJECTED) != 0, k->dwExtraInfo});
            self_->scans_.push_back(k->scanCode);
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }

    static inline KeyWatcher* self_ = nullptr;
    std::thread thread_;
    std::atomic<bool> ready_{false};
    DWORD threadId_ = 0;
    std::mutex mutex_;
    std::vector<SeenKey> seen_;
    std::vector<DWORD> scans_;
};

// The system inserts only the first two events of any batch, as for an elevated target.
UINT WINAPI InsertFirstTwo(UINT count, LPINPUT inputs, int size) {
    return SendInput(std::min(count, 2u), inputs, size);
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

TEST(DeliveryInput, ABatchGoesOutInOneCallAsPlainVirtualKeysAndIsTraced) {
    fakes::TempDir temp;
    const std::filesystem::path tracePath = temp.Path() / "trace.txt";
    KeyWatcher watcher;
    {
        TraceFile trace(tracePath.wstring());
        Win32KeyInput input(trace);
        trace.KeyArrived(0x20);
        EXPECT_EQ(
            input.SendKeys({{vkey::Shift, false}, {'Q', false}, {'Q', true}, {vkey::Shift, true}}),
            4u);
        trace.Step("painted");
    }
    const std::vector<SeenKey> expected = {{vkey::Shift, false, true, 0},
                                           {'Q', false, true, 0},
                                           {'Q', true, true, 0},
                                           {vkey::Shift, true, true, 0}};
    std::vector<SeenKey> seen = watcher.Seen(4);
    // The system may report the generic Shift as its left key.
    for (SeenKey& k : seen) {
        k.vk = k.vk == VK_LSHIFT ? VK_SHIFT : k.vk;
    }
    EXPECT_EQ(seen, expected);

    std::istringstream lines(ReadAll(tracePath));
    unsigned long long keyAt = 0, sentAt = 0, stepAt = 0;
    std::string keyWord, code, sentWord, step, name;
    std::size_t inserted = 0, asked = 0;
    lines >> keyAt >> keyWord >> code >> sentAt >> sentWord >> inserted >> asked >> stepAt >>
        step >> name;
    EXPECT_EQ(step + " " + name, "step painted");
    EXPECT_EQ(keyWord + " " + code, "key 20");
    EXPECT_EQ(sentWord, "sendinput");
    EXPECT_EQ(inserted, 4u);
    EXPECT_EQ(asked, 4u);
    EXPECT_TRUE(keyAt <= sentAt && sentAt <= stepAt) << "one clock for all lines";
}

TEST(DeliveryInput, ABatchCutShortReleasesWhatItPressed) {
    KeyWatcher watcher;
    TraceFile noTrace;
    Win32KeyInput input(noTrace, &InsertFirstTwo);
    Win32KeyState keyState;
    Win32TargetWindows windows;
    Win32Sleep sleep;
    SystemLocalClock clock;
    testing::RecordingDelivery host; // the main window and timer; the keys go to the system
    StepExecutor executor({keyState, input, windows, sleep, host, clock}, host);

    executor.Run(
        {step::Keys{{{vkey::Ctrl, false}, {'V', false}, {'V', true}, {vkey::Ctrl, true}}}});

    std::vector<SeenKey> seen = watcher.Seen(4);
    for (SeenKey& k : seen) {
        k.vk = k.vk == VK_LCONTROL ? VK_CONTROL : k.vk;
    }
    const std::vector<SeenKey> expected = {{vkey::Ctrl, false, true, 0},
                                           {'V', false, true, 0},
                                           {'V', true, true, 0},
                                           {vkey::Ctrl, true, true, 0}};
    EXPECT_EQ(seen, expected) << "the two presses, then their releases, last pressed first";
    EXPECT_FALSE(keyState.IsKeyDown(vkey::Ctrl));
    EXPECT_FALSE(keyState.IsKeyDown('V'));
}

TEST(DeliveryInput, TypingOutSendsEachUtf16UnitAsItselfAndLineBreaksAsEnter) {
    KeyWatcher watcher;
    TraceFile noTrace;
    Win32KeyInput input(noTrace);
    Win32KeyState keyState;
    Win32TargetWindows windows;
    Win32Sleep sleep;
    SystemLocalClock clock;
    testing::RecordingDelivery host;
    StepExecutor executor({keyState, input, windows, sleep, host, clock}, host);
    ReplyTree tree;
    TreeNode* node = tree.AddChild(nullptr, "\\u380?\\par \\u-10179?\\u-8700?", nullptr);
    host.selected = node;

    executor.Run({step::ExpandAndCopy{}, step::TypeText{}});
    // The fake reply is the caption, then " first last" and the time: 17 units after these.
    const std::vector<SeenKey> seen = watcher.Seen(2 * 21);
    const std::vector<DWORD> scans = watcher.Scans();
    ASSERT_GE(seen.size(), 8u);
    const std::vector<DWORD> vks = {seen[0].vk, seen[2].vk, seen[4].vk, seen[6].vk};
    EXPECT_EQ((std::vector<DWORD>{VK_PACKET, VK_RETURN, VK_PACKET, VK_PACKET}), vks);
    EXPECT_EQ((std::vector<DWORD>{0x017C, 0xD83D, 0xDE04}),
              (std::vector<DWORD>{scans[0], scans[4], scans[6]}));
    EXPECT_TRUE(seen[1].up && seen[1].injected);
}

TEST(DeliveryInput, AWindowIsDescribedByItsProgramClassAndTitle) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TwDescribedWindow";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"Za\u017C\u00F3\u0142\u0107 - Editor",
                                  WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    ASSERT_TRUE(window);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring self = path;
    const std::wstring file = self.substr(self.find_last_of(L"\\/") + 1);

    const TargetWindow described =
        Win32TargetWindows().Describe(reinterpret_cast<WindowHandle>(window));
    EXPECT_EQ(std::string(file.begin(), file.end()), described.program);
    EXPECT_EQ("TwDescribedWindow", described.windowClass);
    EXPECT_EQ("Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 - Editor", described.title);
    EXPECT_EQ(described.ours, described.integrity) << "our own process";
    EXPECT_FALSE(InputDroppedBy(described));
    DestroyWindow(window);
    EXPECT_EQ(TargetWindow{}.program,
              Win32TargetWindows().Describe(reinterpret_cast<WindowHandle>(window)).program);
}

// The layout port on the display's US keyboard: Shift and Caps Lock as given, not as held;
// accents composed without the system's dead-key state; right Alt is no AltGr there.
TEST(Win32KeyboardLayouts, TranslatesAndComposesOnTheSystemsLayout) {
    Win32KeyboardLayouts keyboard;
    const KeyboardLayout us = keyboard.LayoutOfWindow(0);
    const struct {
        std::uint8_t vk;
        bool shift, caps;
        std::u16string typed;
    } keys[] = {
        {'A', false, false, u"a"},      {'A', true, false, u"A"},   {'A', false, true, u"A"},
        {'A', true, true, u"a"},        {'9', true, false, u"("},   {VK_OEM_1, false, false, u";"},
        {VK_OEM_7, true, false, u"\""}, {VK_F5, false, false, u""},
    };
    for (const auto& k : keys) {
        const auto scan = static_cast<std::uint8_t>(MapVirtualKeyW(k.vk, MAPVK_VK_TO_VSC));
        EXPECT_TRUE(k.typed ==
                    keyboard.Translate(us, {k.vk, scan, false, k.shift, k.caps, false}).text)
            << "key " << int(k.vk) << " shift " << k.shift << " caps " << k.caps;
    }
    EXPECT_TRUE(keyboard.Compose(us, u'^', u'a') == u"\u00e2");
    EXPECT_TRUE(keyboard.Compose(us, 0x00B4, u'E') == u"\u00c9");
    EXPECT_TRUE(keyboard.Compose(us, u'^', u'q') == u"^q");
    EXPECT_TRUE(keyboard.Compose(us, u'~', u' ') == u"~");
    EXPECT_FALSE(keyboard.HasAltGr(us));
    EXPECT_FALSE(keyboard.IsAltGrKey(
        'A', static_cast<std::uint8_t>(MapVirtualKeyW('A', MAPVK_VK_TO_VSC)), false));
}

} // namespace
} // namespace tw::win32
