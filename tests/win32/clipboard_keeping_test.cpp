// Keeping the user's clipboard on the real clipboard: what the user had comes back exactly once
// the reply has been taken, the reply is rendered only when asked for and marked as transient,
// and a newer write by another window is never overwritten.
#include "delivery/clipboard_formats.h"
#include "delivery/clipboard_keeper.h"
#include "delivery/win32/clipboard_window.h"
#include "delivery/win32/global_memory.h"
#include "win32/bitmap_pixels.h"
#include "win32/clipboard_test_support.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tw::win32 {
namespace {

UINT Registered(const wchar_t* name) {
    return RegisterClipboardFormatW(name);
}

// Another program's window, which writes to the clipboard and reads it like a paste target.
class OtherProgram {
public:
    OtherProgram()
        : hwnd_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                nullptr)) {}
    ~OtherProgram() { DestroyWindow(hwnd_); }

    void Write(const std::function<void()>& place) {
        ASSERT_TRUE(OpenClipboard(hwnd_));
        EmptyClipboard();
        place();
        CloseClipboard();
    }
    std::vector<unsigned char> Read(UINT format) { return test::ClipboardBytes(format, hwnd_); }
    std::wstring Text() { return test::ClipboardText(hwnd_); }
    std::vector<UINT> Formats() { return test::ClipboardFormats(hwnd_); }
    // The pixels of the clipboard's bitmap.
    std::vector<std::uint32_t> ClipboardPixels(int width, int height) {
        if (!OpenClipboard(hwnd_)) {
            return {};
        }
        auto pixels =
            BitmapPixels(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)), width, height);
        CloseClipboard();
        return pixels;
    }

private:
    HWND hwnd_;
};

void PlaceBytes(UINT format, const void* bytes, std::size_t size) {
    SetClipboardData(format, GlobalFromBytes(bytes, size));
}

void PlaceText(const std::wstring& text) {
    PlaceBytes(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

bool Pump(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() > end) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
    }
    return true;
}

class KeepingTheClipboard : public ::testing::Test {
protected:
    void SetUp() override {
        window.SetEvents({[this] {
                              ++renders;
                              keeper.ReplyRendered();
                          },
                          [this] { keeper.RestoreTimerTimer(); }});
    }
    ClipboardWindow window;
    UserClipboardKeeper keeper{window, window};
    OtherProgram other;
    int renders = 0;
    const ReplyContent reply = RenderReply("{\\rtf1\\ansi Dear {\\b Ann} \\u380?\\u243?\\u322?w "
                                           "\\u954?\\u945?\\u955?\\u942? \\u20013?\\u25991?}");
    const std::wstring replyText =
        L"Dear Ann \u017c\u00f3\u0142w \u03ba\u03b1\u03bb\u03ae \u4e2d\u6587";
};

// The copy the user asked for: every format is there at once, rich text first, and it is not
// hidden from clipboard history.
TEST_F(KeepingTheClipboard, APlacedReplyHoldsEveryFormatAtOnce) {
    other.Write([] { PlaceText(L"before"); });
    ASSERT_TRUE(window.PlaceReply(reply));
    const std::vector<UINT> formats = other.Formats();
    ASSERT_GE(formats.size(), 3u);
    EXPECT_EQ(formats[0], Registered(L"Rich Text Format"));
    EXPECT_EQ(formats[1], Registered(L"HTML Format"));
    EXPECT_EQ(formats[2], static_cast<UINT>(CF_UNICODETEXT));
    EXPECT_EQ(replyText, other.Text());
    const std::vector<unsigned char> html = other.Read(Registered(L"HTML Format"));
    EXPECT_STREQ(reply.html.c_str(), reinterpret_cast<const char*>(html.data()));
    EXPECT_FALSE(
        IsClipboardFormatAvailable(Registered(L"ExcludeClipboardContentFromMonitorProcessing")));
    EXPECT_EQ(0, renders);
}

TEST_F(KeepingTheClipboard, WhatTheUserHadComesBackExactlyAfterThePaste) {
    const std::uint32_t pixels[] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF,
                                    0x00123456, 0x00000000, 0x00808080, 0x00ABCDEF};
    const unsigned char secret[] = {1, 2, 3, 0, 255, 7};
    const UINT privateFormat = Registered(L"Textwright test private");
    const UINT html = Registered(L"HTML Format");
    const std::string htmlBody = "Version:0.9\r\n<b>user</b>";
    const struct {
        const char* name;
        std::function<void()> place;
        std::function<void()> check;
    } cases[] = {
        {"text, bitmap and a private format",
         [&] {
             PlaceText(L"the user's own text");
             SetClipboardData(CF_BITMAP, CreateBitmap(4, 2, 1, 32, pixels));
             PlaceBytes(privateFormat, secret, sizeof secret);
         },
         [&] {
             EXPECT_EQ(L"the user's own text", other.Text());
             const std::vector<unsigned char> ansi = other.Read(CF_TEXT);
             EXPECT_STREQ("the user's own text", reinterpret_cast<const char*>(ansi.data()))
                 << "still derived from the text";
             EXPECT_EQ(std::vector<std::uint32_t>(pixels, pixels + 8), other.ClipboardPixels(4, 2));
             const std::vector<unsigned char> bytes = other.Read(privateFormat);
             ASSERT_GE(bytes.size(), sizeof secret);
             EXPECT_EQ(std::vector<unsigned char>(secret, secret + sizeof secret),
                       std::vector<unsigned char>(bytes.begin(), bytes.begin() + sizeof secret));
         }},
        {"html and its text",
         [&] {
             PlaceBytes(html, htmlBody.c_str(), htmlBody.size() + 1);
             PlaceText(L"user");
         },
         [&] {
             const std::vector<unsigned char> bytes = other.Read(html);
             EXPECT_STREQ(htmlBody.c_str(), reinterpret_cast<const char*>(bytes.data()));
             EXPECT_EQ(L"user", other.Text());
             const std::vector<UINT> formats = other.Formats();
             ASSERT_FALSE(formats.empty());
             EXPECT_EQ(html, formats.front()) << "the order the owner chose";
         }},
        {"nothing at all", [] {}, [&] { EXPECT_TRUE(other.Formats().empty()); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        other.Write(c.place);
        renders = 0;
        ASSERT_TRUE(keeper.PutReplyForPaste(reply));
        EXPECT_TRUE(IsClipboardFormatAvailable(
            Registered(L"ExcludeClipboardContentFromMonitorProcessing")));
        const std::vector<unsigned char> history =
            other.Read(Registered(L"CanIncludeInClipboardHistory"));
        ASSERT_GE(history.size(), 4u);
        EXPECT_EQ(std::vector<unsigned char>(4, 0),
                  std::vector<unsigned char>(history.begin(), history.begin() + 4));
        EXPECT_EQ(0, renders) << "nothing is rendered before a target asks";
        keeper.DeliveryEnded();
        EXPECT_EQ(replyText, other.Text()) << "the paste";
        EXPECT_EQ(1, renders);
        const std::vector<unsigned char> rtf = other.Read(Registered(L"Rich Text Format"));
        EXPECT_STREQ(reply.rtf.c_str(), reinterpret_cast<const char*>(rtf.data()));
        const std::vector<unsigned char> offeredHtml = other.Read(html);
        EXPECT_STREQ(reply.html.c_str(), reinterpret_cast<const char*>(offeredHtml.data()));
        ASSERT_TRUE(Pump([&] { return !keeper.RestorePending(); }, 5000));
        c.check();
    }
}

// Words: "ask" (the target reads the reply), "other" (another window copies its own text).
TEST_F(KeepingTheClipboard, RestoresAfterTheBoundedWaitButNeverOverANewerWrite) {
    const struct {
        const char* events;
        const wchar_t* after;
    } cases[] = {
        {"", L"mine"},
        {"ask other", L"someone else's"},
        {"other", L"someone else's"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.events);
        other.Write([] { PlaceText(L"mine"); });
        ASSERT_TRUE(keeper.PutReplyForPaste(reply));
        const std::string events = c.events;
        if (events.find("ask") != std::string::npos) {
            EXPECT_EQ(replyText, other.Text());
        }
        if (events.find("other") != std::string::npos) {
            other.Write([] { PlaceText(L"someone else's"); });
        }
        keeper.DeliveryEnded();
        ASSERT_TRUE(Pump([&] { return !keeper.RestorePending(); }, 5000));
        EXPECT_EQ(c.after, other.Text());
    }
}

// The owner of a format it renders only when asked, and slowly: a spreadsheet with a large range.
LRESULT CALLBACK SlowOwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_RENDERFORMAT) {
        Sleep(SnapshotBudget::kMaxMs + 200);
        SetClipboardData(static_cast<UINT>(wParam), GlobalFromBytes("late", 5));
        return 0;
    }
    return message == WM_RENDERALLFORMATS ? 0 : DefWindowProcW(hwnd, message, wParam, lParam);
}

// Beyond a snapshot's bounds nothing is kept, so nothing is put back in part; the reply then goes
// on the clipboard the ordinary way.
TEST_F(KeepingTheClipboard, AClipboardTooLargeOrTooSlowToCopyIsNotKept) {
    const UINT privateFormat = Registered(L"Textwright test private");
    const auto notKept = [&](const char* what) {
        EXPECT_FALSE(keeper.PutReplyForPaste(reply)) << what;
        EXPECT_EQ(0u, window.SavedFormatCount()) << what;
        EXPECT_FALSE(keeper.RestorePending()) << what;
    };
    const std::vector<unsigned char> large(SnapshotBudget::kMaxBytes + 1, 7);
    other.Write([&] {
        PlaceText(L"small");
        PlaceBytes(privateFormat, large.data(), large.size());
    });
    notKept("text, then a block larger than the bound");

    WNDCLASSW slowClass{};
    slowClass.lpfnWndProc = SlowOwnerProc;
    slowClass.lpszClassName = L"TextwrightTestSlowOwner";
    RegisterClassW(&slowClass);
    HWND slowOwner = CreateWindowExW(0, slowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                     nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(slowOwner));
    EmptyClipboard();
    PlaceText(L"small");
    SetClipboardData(privateFormat, nullptr);
    CloseClipboard();
    notKept("text, then a format rendered slower than the bound");
    other.Write([] {});
    DestroyWindow(slowOwner);
}

} // namespace
} // namespace tw::win32
