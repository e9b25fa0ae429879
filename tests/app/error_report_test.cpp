#include "app/error_report.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace tw {
namespace {

class RecordingReport : public ErrorReportPort {
public:
    void ShowErrorReport(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

TEST(StandardErrorText, FullStopOnlyAfterCharactersThatSortAfterIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"Disk full", "Disk full."},
        {"Error 5", "Error 5."},
        {"Done.", "Done."},
        {"Really?", "Really?."},
        {"Why!", "Why!"},
        {"(x)", "(x)"},
        {"path\\", "path\\."},
        {"", ""},
        {"caf\xE9", "caf\xE9."},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(out, StandardErrorText(in)) << in;
    }
}

TEST(RunReported, AnUnhandledErrorEndsTheCommandAndIsShownOnce) {
    RecordingReport report;
    std::vector<int> steps;
    const bool done = RunReported(report, [&] {
        steps.push_back(1);
        throw std::runtime_error("File \"C:\\R\\1.rep\" can't be written");
        steps.push_back(2);
    });
    EXPECT_FALSE(done);
    EXPECT_EQ(std::vector<int>{1}, steps);
    EXPECT_EQ(std::vector<std::string>{"File \"C:\\R\\1.rep\" can't be written."}, report.shown);

    EXPECT_TRUE(RunReported(report, [&] { steps.push_back(3); }));
    EXPECT_EQ(1u, report.shown.size()) << "the program goes on";
    EXPECT_FALSE(RunReported(report, [] { throw 42; }));
    EXPECT_EQ(2u, report.shown.size());
}

} // namespace
} // namespace tw
