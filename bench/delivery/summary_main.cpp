// Prints the delivery benchmark's table from the reader's run logs and the delivering programs'
// traces (scripts/bench_delivery.sh calls it once, after every side has run).
// Usage: delivery_summary AIM {LABEL SHARE_FROM KEY_HEX PROGRAM_RUNS PROGRAM_TRACE BASELINE_RUNS
//        BASELINE_TRACE}...  (a missing trace file prints "no trace")
#include "latency_summary.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

namespace {

constexpr int kGroup = 7;

tw::bench::SideFigures Side(const std::string& runsPath, const std::string& tracePath,
                            unsigned key) {
    std::ifstream runsFile(runsPath);
    const tw::bench::RunLog log = tw::bench::ParseRunLog(runsFile);
    tw::bench::SideFigures f;
    f.latency = tw::bench::Summarize(tw::bench::Latencies(log.runs));
    f.timedOut = log.timedOut;
    std::ifstream traceFile(tracePath);
    if (traceFile) {
        f.share = tw::bench::Summarize(
            tw::bench::OwnShares(tw::bench::ParseTrace(traceFile), log.runs, key));
    }
    return f;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || (argc - 2) % kGroup != 0) {
        std::cerr << "usage: delivery_summary AIM {LABEL SHARE_FROM KEY_HEX PROGRAM_RUNS "
                     "PROGRAM_TRACE BASELINE_RUNS BASELINE_TRACE}...\n";
        return 2;
    }
    const double aim = std::atof(argv[1]);
    for (int i = 2; i + kGroup <= argc; i += kGroup) {
        const auto key = static_cast<unsigned>(std::strtoul(argv[i + 2], nullptr, 16));
        tw::bench::Comparison c;
        c.label = argv[i];
        c.shareFrom = argv[i + 1];
        c.program = Side(argv[i + 3], argv[i + 4], key);
        c.baseline = Side(argv[i + 5], argv[i + 6], key);
        tw::bench::PrintComparison(std::cout, c, aim);
    }
    return 0;
}
