#include "latency_summary.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tw::bench {
namespace {

TEST(DeliveryBenchSummary, StatisticsUseNearestRankAndTheMiddleOfTwo) {
    struct Case {
        std::vector<double> values;
        LatencyStats want;
    };
    const Case cases[] = {
        {{}, {0, 0, 0, 0}},
        {{7}, {1, 7, 7, 7}},
        {{5, 1, 3}, {3, 1, 3, 5}},
        {{4, 1, 3, 2}, {4, 1, 2.5, 4}},
        {{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, {10, 1, 5.5, 9}},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, {11, 1, 6, 10}},
    };
    for (const Case& c : cases) {
        const LatencyStats got = Summarize(c.values);
        EXPECT_EQ(got.count, c.want.count);
        EXPECT_DOUBLE_EQ(got.min, c.want.min) << c.values.size();
        EXPECT_DOUBLE_EQ(got.median, c.want.median) << c.values.size();
        EXPECT_DOUBLE_EQ(got.p90, c.want.p90) << c.values.size();
    }
}

TEST(DeliveryBenchSummary, OwnShareRunsFromTheTriggersHookMessageToTheLastSendInputOfItsRun) {
    struct Case {
        const char* what;
        const char* trace;
        std::vector<double> want; // ms, one per run that has both ends
    };
    // Two runs: t0 = 1000 and t0 = 500000 (microseconds).
    const char* runLog = "ok 1000 21000\n"
                         "garbage\n"
                         "timeout 300000\n"
                         "ok 500000 520500\n";
    const Case cases[] = {
        {"one batch per run",
         "1500 key 20\n2000 sendinput 12 12\n"
         "501000 key 20\n504000 sendinput 12 12\n",
         {0.5, 3}},
        {"the last SendInput of the run counts, not one long after the text arrived",
         "1500 key 20\n2000 sendinput 2 2\n3500 sendinput 4 4\n200000 sendinput 4 4\n"
         "501000 key 20\n501200 sendinput 4 4\n",
         {2, 0.2}},
        {"a return shortly after the text arrived still counts",
         "1500 key 20\n101500 sendinput 12 12\n",
         {100}},
        {"other keys and SendInputs before the trigger are ignored",
         "900 key 20\n1200 key 42\n1300 sendinput 4 4\n1500 key 20\n1600 key 20\n"
         "1800 sendinput 12 12\n",
         {0.3}},
        {"a run without its trigger or without a SendInput is left out",
         "1500 key 41\n2000 sendinput 12 12\n501000 key 20\n",
         {}},
        {"unreadable lines are skipped, lines out of order are sorted",
         "x key 20\n501000 key 20\n502000 sendinput\n\n1000 nothing\n500500 sendinput 1 1\n",
         {1}},
    };
    std::istringstream logIn(runLog);
    const RunLog log = ParseRunLog(logIn);
    ASSERT_EQ(log.runs.size(), 2u);
    EXPECT_EQ(log.timedOut, 1u);
    for (const Case& c : cases) {
        std::istringstream traceIn(c.trace);
        EXPECT_EQ(OwnShares(ParseTrace(traceIn), log.runs, 0x20), c.want) << c.what;
    }
}

TEST(DeliveryBenchSummary, TableSetsTheProgramBesideItsBaselineWithTheRatioOfMedians) {
    struct Case {
        const char* what;
        double programMedian;
        double baselineMedian;
        std::size_t baselineRuns;
        const char* wantRatio;
    };
    const Case cases[] = {
        {"within the aim", 11.5, 10, 30, "median ratio 1.15x (aim: at most 1.15x) met"},
        {"over the aim", 13, 10, 30, "median ratio 1.30x (aim: at most 1.15x) NOT met"},
        {"no baseline runs", 13, 0, 0, "median ratio n/a"},
    };
    for (const Case& c : cases) {
        Comparison cmp;
        cmp.label = "typed macro";
        cmp.shareFrom = "the Space's hook message";
        cmp.program.latency = {30, 9, c.programMedian, 20};
        cmp.program.timedOut = 2;
        cmp.program.share = {30, 0.5, 0.75, 1};
        cmp.baseline.latency = {c.baselineRuns, 8, c.baselineMedian, 12};
        std::ostringstream out;
        PrintComparison(out, cmp, 1.15);
        const std::string text = out.str();
        EXPECT_NE(text.find(c.wantRatio), std::string::npos) << c.what << '\n' << text;
        EXPECT_NE(text.find("program      30 runs  min    9.00  median   " +
                            std::to_string(c.programMedian).substr(0, 5)),
                  std::string::npos)
            << text;
        EXPECT_NE(text.find("(2 timed out)"), std::string::npos) << text;
        EXPECT_NE(text.find("median   0.750"), std::string::npos) << text;
        EXPECT_NE(text.find("baseline   no trace"), std::string::npos) << text;
    }
}

} // namespace
} // namespace tw::bench
