// Drives one side of the delivery benchmark and times it. Standard output is piped into
// `xdotool -`, which turns each line into real key events, so the keys reach Wine as a person's
// would. A run lasts from just before the trigger key goes out (the Space after the macro, or the
// hot key's letter coming up) to the first WM_GETTEXT, polled every millisecond, that reads the
// expected text in Notepad. The expected reply is what the first warm-up delivery leaves; it must
// equal the clipboard's text, saved with the rich text into SNAPSHOT_FOLDER for the baseline, or
// the text of EXPECTED_FILE (UTF-8).
// Usage: delivery_reader typed MACRO|hotkey LETTER RUNS WARMUP RUN_LOG
//                        --snapshot SNAPSHOT_FOLDER|--expect EXPECTED_FILE
#include "bench_clock.h"
#include "clipboard_files.h"
#include "target_text.h"

#include <windows.h>
#include <timeapi.h>

#include <cstdio>
#include <cwchar>
#include <random>
#include <string>

namespace {

using tw::bench::MicrosNow;

constexpr double kRunTimeoutMs = 5000;
constexpr double kFirstDeliveryTimeoutMs = 30000;
constexpr int kTimeoutsInARowToGiveUp = 3;

// Shows line ends and control characters, so that a mismatch can be read on one line.
std::wstring Visible(const std::wstring& s) {
    std::wstring out;
    for (wchar_t c : s) {
        if (c == L'\r') {
            out += L"\\r";
        } else if (c == L'\n') {
            out += L"\\n";
        } else {
            out += c;
        }
    }
    return L"\"" + out + L"\"";
}

class Driver {
public:
    Driver(HWND edit, bool hotKey, std::string keys)
        : edit_(edit), hotKey_(hotKey), keys_(std::move(keys)), jitter_(GetTickCount()) {}

    // Types the macro or holds the hot key down; `before` is the text just before the trigger.
    bool Arm(std::wstring& before) {
        if (!tw::bench::ClearTargetText(edit_) || WaitFor(L"", 2000) < 0) {
            return Complain(L"Notepad's text could not be cleared");
        }
        if (hotKey_) {
            Xdo("keydown ctrl alt " + keys_ + "\n");
            Sleep(400 + Jitter()); // a person's press, longer than a few 50 ms polls
            return Read(before) || Complain(L"Notepad does not answer");
        }
        Xdo("type --delay 12 " + keys_ + "\n");
        before.assign(keys_.begin(), keys_.end());
        if (WaitFor(before, kRunTimeoutMs) < 0) {
            return Complain(L"the typed macro did not arrive in Notepad (is it in front?)");
        }
        Sleep(150 + Jitter()); // let every hook message reach its program
        return true;
    }

    // Sends the trigger; returns t0.
    double Fire() {
        const double t0 = MicrosNow();
        Xdo(hotKey_ ? "keyup " + keys_ + "\nkeyup alt ctrl\n" : std::string("key space\n"));
        return t0;
    }

    // The text the delivery should leave, given the text before the trigger.
    std::wstring Target(const std::wstring& before, const std::wstring& reply) const {
        return hotKey_ ? before + reply : reply;
    }

    // QPC microseconds of the first read equal to `want`, or -1 after the timeout.
    double WaitFor(const std::wstring& want, double timeoutMs) {
        const double deadline = MicrosNow() + timeoutMs * 1000;
        std::wstring text;
        for (;;) {
            const bool read = tw::bench::ReadTargetText(edit_, want.size() + 1, text);
            const double at = MicrosNow();
            if (read && text == want) {
                return at;
            }
            if (at > deadline) {
                return -1;
            }
            Sleep(1);
        }
    }

    // After the first trigger, with a cold program: waits until the text has changed from
    // `before` (and from `before` plus the Space) and then stayed the same for a while.
    bool WaitForSettledChange(const std::wstring& before, std::wstring& settled) {
        const double deadline = MicrosNow() + kFirstDeliveryTimeoutMs * 1000;
        double changedAt = MicrosNow();
        std::wstring last = before, text;
        while (MicrosNow() < deadline) {
            if (!Read(text)) {
                return false;
            }
            if (text != last) {
                last = text;
                changedAt = MicrosNow();
            }
            if (last != before && last != before + L" " && MicrosNow() - changedAt > 700e3) {
                settled = last;
                return true;
            }
            Sleep(5);
        }
        settled = last;
        return false;
    }

    bool Read(std::wstring& text) { return tw::bench::ReadTargetText(edit_, 1 << 16, text); }

    // A broken pipe means xdotool is gone: nothing more can be measured.
    void Xdo(const std::string& line) {
        DWORD written = 0;
        if (!WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(),
                       static_cast<DWORD>(line.size()), &written, nullptr) ||
            written != line.size()) {
            std::fwprintf(stderr, L"delivery_reader: xdotool no longer reads the keys\n");
            ExitProcess(1);
        }
    }

    static bool Complain(const std::wstring& what) {
        std::fwprintf(stderr, L"delivery_reader: %ls\n", what.c_str());
        return false;
    }

private:
    DWORD Jitter() { return std::uniform_int_distribution<DWORD>(0, 50)(jitter_); }

    HWND edit_;
    bool hotKey_;
    std::string keys_;
    std::minstd_rand jitter_;
};

std::string Narrow(const wchar_t* s) {
    std::string out;
    for (; *s; ++s) {
        out += static_cast<char>(*s);
    }
    return out;
}

struct Check {
    const wchar_t* snapshotFolder = nullptr;
    const wchar_t* expectedFile = nullptr;
};

// The first delivery of a side tells what every later one must leave in Notepad.
bool LearnReply(Driver& d, const std::wstring& before, const Check& check, std::wstring& reply) {
    std::wstring settled, error, want;
    if (!d.WaitForSettledChange(before, settled)) {
        return Driver::Complain(L"nothing was delivered; Notepad holds " + Visible(settled));
    }
    std::string rtf;
    error = check.snapshotFolder ? tw::bench::ReadClipboardReply(rtf, want)
                                 : tw::bench::ReadUtf8File(check.expectedFile, want);
    if (!error.empty()) {
        return Driver::Complain(error);
    }
    if (settled != d.Target(before, want)) {
        return Driver::Complain(L"Notepad holds " + Visible(settled) + L", expected " +
                                Visible(d.Target(before, want)));
    }
    reply = want;
    if (check.snapshotFolder &&
        !(error = tw::bench::SaveReply(check.snapshotFolder, rtf, reply)).empty()) {
        return Driver::Complain(error);
    }
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const bool ok = argc == 8;
    const bool hotKey = ok && std::wcscmp(argv[1], L"hotkey") == 0;
    const int runs = ok ? _wtoi(argv[3]) : 0;
    const int warmup = ok ? _wtoi(argv[4]) : 0;
    Check check;
    if (ok && std::wcscmp(argv[6], L"--snapshot") == 0) {
        check.snapshotFolder = argv[7];
    } else if (ok && std::wcscmp(argv[6], L"--expect") == 0) {
        check.expectedFile = argv[7];
    }
    if (!ok || (!hotKey && std::wcscmp(argv[1], L"typed") != 0) || runs < 1 || warmup < 1 ||
        (!check.snapshotFolder && !check.expectedFile)) {
        std::fwprintf(stderr, L"usage: delivery_reader typed MACRO|hotkey LETTER RUNS WARMUP "
                              L"RUN_LOG --snapshot FOLDER|--expect FILE  (WARMUP >= 1)\n");
        return 2;
    }
    HWND edit = tw::bench::FindNotepadEdit();
    if (!edit) {
        Driver::Complain(L"Notepad is not open");
        return 1;
    }
    FILE* log = _wfopen(argv[5], L"a");
    if (!log) {
        Driver::Complain(std::wstring(L"cannot write ") + argv[5]);
        return 1;
    }
    timeBeginPeriod(1);
    Driver d(edit, hotKey, Narrow(argv[2]));
    std::wstring reply;
    int timeoutsInARow = 0;
    int status = 0;
    for (int i = 0; i < warmup + runs && status == 0; ++i) {
        std::wstring before;
        if (!d.Arm(before)) {
            status = 1;
            break;
        }
        const double t0 = d.Fire();
        if (i == 0) {
            status = LearnReply(d, before, check, reply) ? 0 : 1;
            continue;
        }
        const double t1 = d.WaitFor(d.Target(before, reply), kRunTimeoutMs);
        timeoutsInARow = t1 < 0 ? timeoutsInARow + 1 : 0;
        if (i >= warmup) {
            if (t1 < 0) {
                std::fprintf(log, "timeout %.1f\n", t0);
            } else {
                std::fprintf(log, "ok %.1f %.1f\n", t0, t1);
            }
        }
        if (timeoutsInARow >= kTimeoutsInARowToGiveUp) {
            Driver::Complain(L"three deliveries in a row did not arrive");
            status = 1;
        }
        Sleep(150); // the program reloads its reply after the paste
    }
    tw::bench::ClearTargetText(edit);
    timeEndPeriod(1);
    std::fclose(log);
    return status;
}
