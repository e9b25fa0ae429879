#include "app/common_routines.h"
#include "platform/dpi_scale.h"
#include "app/startup.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(StartupGlobals, DerivedFromTheProgramPath) {
    const auto g = MakeStartupGlobals("C:\\Program Files\\Textwright\\Textwright.exe");
    EXPECT_EQ("C:\\Program Files\\Textwright\\Textwright.exe", g.ProgramPath);
    EXPECT_EQ("C:\\Program Files\\Textwright", g.ProgramFolder);
    EXPECT_EQ("C:\\Program Files\\Textwright\\Replies\\", g.LibraryRoot);

    const auto posix = MakeStartupGlobals("/opt/tw/Textwright");
    EXPECT_EQ("/opt/tw", posix.ProgramFolder);
    EXPECT_EQ("/opt/tw/Replies/", posix.LibraryRoot);
}

TEST(HiddenStart, OnlyAnExactFirstParameterCounts) {
    const std::pair<std::vector<std::string>, bool> cases[] = {
        {{"-hidden"}, true},  {{"-hidden", "x"}, true},  {{}, false},
        {{"-HIDDEN"}, false}, {{"x", "-hidden"}, false}, {{"-hidden "}, false},
    };
    for (const auto& [params, hidden] : cases) {
        EXPECT_EQ(hidden, IsHiddenStart(params)) << (params.empty() ? "" : params[0]);
    }
}

class RecordingShell : public ShellPort {
public:
    bool OpenDocument(const std::string& path) override {
        opened.push_back(path);
        return false;
    }
    std::vector<std::string> opened;
};

TEST(HelpFiles, OpenedBesideTheProgramAndFailuresAreSilent) {
    RecordingShell shell;
    const auto g = MakeStartupGlobals("D:\\tw\\Textwright.exe");
    OpenHelpFile(shell, g);
    OpenTutorialsFile(shell, g);
    EXPECT_EQ((std::vector<std::string>{"D:\\tw\\Textwright.chm", "D:\\tw\\TextwrightTutors.chm"}),
              shell.opened);
}

TEST(ScaleForDpi, RoundsToNearestForCommonMonitorSettings) {
    const struct {
        int px, dpi, expected;
    } cases[] = {
        {740, 96, 740}, {740, 120, 925}, {497, 144, 746}, {3, 120, 4},
        {3, 144, 5},    {1, 96, 1},      {0, 192, 0},     {-3, 120, -4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, ScaleForDpi(c.px, c.dpi)) << c.px << " at " << c.dpi;
    }
}

} // namespace
} // namespace tw
