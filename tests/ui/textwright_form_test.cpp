// The main window's life cycle, driven through its handlers with recording ports.
#include "settings/reg_proc.h"
#include "app/settings.h"
#include "fakes/form_harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace tw {
namespace {

namespace fs = std::filesystem;
using testing::Log;

// Logs the first write of each setting, so the start-up order shows when defaults were made.
class LoggingRegistry : public fakes::FakeRegistry {
public:
    bool Write(const std::string& key, const std::string& name, const RegValue& value) override {
        if (log && !Read(key, name)) {
            log->push_back("setting " + name);
        }
        return FakeRegistry::Write(key, name, value);
    }
    Log* log = nullptr;
};

struct LoggedHome {
    fakes::TempDir temp;
    LoggingRegistry registry;
};

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

class MainForm : public ::testing::Test, protected LoggedHome, protected testing::FormHarness {
protected:
    MainForm() : FormHarness(registry, Globals()) { registry.log = &log; }

    // A library of one folder holding one reply with a macro and a hot key, and one top reply.
    void WriteSmallLibrary() {
        const fs::path root = dir / "Replies";
        fs::create_directories(root / "1");
        WriteFile(root / "index.sub", "FOLDER_1?Customers\r\nREPLY_1?Thanks\r\n");
        WriteFile(root / "1.rep", "\r\n\r\n{\\rtf1 Thanks}\r\n");
        WriteFile(root / "1" / "index.sub", "REPLY_1?Signature\r\n");
        WriteFile(root / "1" / "1.rep", "sig\r\n0S\r\n{\\rtf1 Ann}\r\n");
    }

    StartupGlobals Globals() const {
        return MakeStartupGlobals((temp.Path() / "Textwright.exe").string());
    }

    const fs::path& dir = temp.Path();
};

TEST_F(MainForm, CreateStartsHooksThenDefaultsThenLoadsTheLibraryUnderABusyCursor) {
    WriteSmallLibrary();
    form.FormCreate();
    EXPECT_EQ((Log{"hooks start", "setting ShowTips", "setting ShowMacroIns", "setting AlwaysOnTop",
                   "setting EditMode", "cursor busy", "bulk begin", "bulk end", "cursor normal"}),
              log);

    ReplyTree& tree = library.Tree();
    ASSERT_EQ(2u, tree.TopLevelCount());
    EXPECT_EQ("Customers", tree.FirstNode()->Caption());
    EXPECT_EQ("Signature", tree.FirstNode()->FirstChild()->Caption());
    EXPECT_EQ("Thanks", tree.FirstNode()->NextSibling()->Caption());
    EXPECT_EQ(1, library.MacroList().Count());
    EXPECT_EQ(1, library.HotKeyList().Count());
}

TEST_F(MainForm, CreateResetsTheDeliveryState) {
    WriteSmallLibrary();
    auto& d = form.Delivery();
    d.WatchingInput = d.DeliveryEnabled = true;
    d.LastActiveWindow = 0x1234;
    d.PendingHotKey = 7;
    d.TypedWord = "sig";
    form.FormCreate();
    EXPECT_FALSE(d.WatchingInput);
    EXPECT_FALSE(d.DeliveryEnabled);
    EXPECT_EQ(0u, d.LastActiveWindow);
    EXPECT_EQ(-1, d.PendingHotKey);
    EXPECT_EQ("", d.TypedWord);
}

TEST_F(MainForm, MissingLibraryGivesOneErrorNamingTheRootIndexAndAnEmptyTree) {
    form.FormCreate();
    std::vector<std::string> errors;
    std::copy_if(log.begin(), log.end(), std::back_inserter(errors),
                 [](const std::string& e) { return e.rfind("error", 0) == 0; });
    ASSERT_EQ(1u, errors.size());
    const std::string rootIndex = Globals().LibraryRoot + "index.sub";
    EXPECT_EQ("error: File \"" + rootIndex + "\" can't be opened.", errors[0]);
    EXPECT_TRUE(library.Tree().Empty());
    EXPECT_EQ("cursor normal", log.back()) << "the cursor comes back after the error";
}

TEST_F(MainForm, KeepsSettingsThatExistAlready) {
    registry.CreateKey(kSettingsKey);
    RegWriteInteger(registry, kSettingsKey, kShowTips, 0);
    log.clear();
    form.FormCreate();
    EXPECT_EQ(0, RegReadInteger(registry, kSettingsKey, kShowTips));
    EXPECT_EQ(0u, Count("setting ShowTips"));
    EXPECT_EQ(1u, Count("setting EditMode"));
}

TEST_F(MainForm, DestroyStopsHooksAndFreesTheLibrary) {
    WriteSmallLibrary();
    form.FormCreate();
    log.clear();
    form.FormDestroy();
    // The window's layout is kept for the next start.
    EXPECT_EQ((Log{"hooks stop", "setting MainFormSettings"}), log);
    EXPECT_TRUE(library.Tree().Empty());
    EXPECT_EQ(0, library.MacroList().Count());
    EXPECT_EQ(0, library.HotKeyList().Count());
    EXPECT_EQ(nullptr, library.Replies());
    // Nothing of the library is written at exit.
    EXPECT_EQ("sig\r\n0S\r\n{\\rtf1 Ann}\r\n", [&] {
        std::ifstream in(dir / "Replies" / "1" / "1.rep", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }());
}

TEST_F(MainForm, AHookLibraryThatLostItsHooksIsToldOnceAndOtherRawCodesNever) {
    WriteSmallLibrary();
    form.FormCreate();
    log.clear();
    TKvKeyboardHook& keyHook = hooks.components.KeyHook;
    for (std::uint32_t code : {5u, kKeyboardHookLostCode, kKeyboardHookLostCode, 0x101u}) {
        HookMessage message{kHookMessageBase + code, 0, 0, 0};
        keyHook.ProcessHookMessage(message);
    }
    ASSERT_EQ(1u, log.size()) << ::testing::PrintToString(log);
    EXPECT_EQ(0u, log[0].rfind("warning: Typed macros and hot keys have stopped working", 0));
    form.FormDestroy();
}

TEST_F(MainForm, ShowMakesTheWindowTopmostOnlyWhenTheSettingIsOne) {
    EnsureDefaultSettings(registry);
    const std::pair<int, std::size_t> cases[] = {{1, 1}, {0, 0}, {5, 0}};
    for (const auto& [stored, topmost] : cases) {
        RegWriteInteger(registry, kSettingsKey, kAlwaysOnTop, stored);
        log.clear();
        form.FormShow();
        EXPECT_EQ(topmost, Count("window topmost")) << stored;
    }
}

TEST_F(MainForm, SelectingANodeInTheViewSelectsItInTheModel) {
    WriteSmallLibrary();
    form.FormCreate();
    TreeNode* thanks = library.Tree().FirstNode()->NextSibling();
    form.NavigationChange(thanks);
    EXPECT_EQ(thanks, library.Tree().Selected());
    form.NavigationChange(nullptr);
    EXPECT_EQ(nullptr, library.Tree().Selected());
}

} // namespace
} // namespace tw
