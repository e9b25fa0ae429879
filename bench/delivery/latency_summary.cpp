#include "latency_summary.h"

#include <algorithm>
#include <cstdio>
#include <istream>
#include <ostream>
#include <sstream>

namespace tw::bench {

LatencyStats Summarize(std::vector<double> values) {
    LatencyStats s;
    s.count = values.size();
    if (values.empty()) {
        return s;
    }
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    s.min = values.front();
    s.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    s.p90 = values[(9 * n + 9) / 10 - 1]; // rank ceil(0.9 n), in integers to stay exact
    return s;
}

RunLog ParseRunLog(std::istream& in) {
    RunLog log;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string tag;
        TimedRun run;
        fields >> tag >> run.t0;
        if (!fields) {
            continue;
        }
        if (tag == "ok" && fields >> run.t1 && run.t1 >= run.t0) {
            log.runs.push_back(run);
        } else if (tag == "timeout") {
            ++log.timedOut;
        }
    }
    return log;
}

std::vector<double> Latencies(const std::vector<TimedRun>& runs) {
    std::vector<double> ms;
    for (const TimedRun& r : runs) {
        ms.push_back((r.t1 - r.t0) / 1000);
    }
    return ms;
}

std::vector<TraceEvent> ParseTrace(std::istream& in) {
    std::vector<TraceEvent> events;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        TraceEvent e;
        std::string what;
        if (!(fields >> e.us >> what)) {
            continue;
        }
        if (what == "key" && fields >> std::hex >> e.key) {
            e.kind = TraceEvent::Kind::HookKey;
        } else if (what == "sendinput") {
            e.kind = TraceEvent::Kind::SendInputReturned;
        } else {
            continue;
        }
        events.push_back(e);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const TraceEvent& a, const TraceEvent& b) { return a.us < b.us; });
    return events;
}

std::vector<double> OwnShares(const std::vector<TraceEvent>& trace,
                              const std::vector<TimedRun>& runs, unsigned key) {
    // SendInput can return well after the target has pasted: under load Wine hands the injected
    // keys on before the caller runs again. The next run's keys start later than this.
    constexpr double kLateReturnUs = 100000;
    std::vector<double> shares;
    for (const TimedRun& run : runs) {
        const TraceEvent* hook = nullptr;
        const TraceEvent* lastSend = nullptr;
        for (const TraceEvent& e : trace) {
            if (e.us < run.t0 || e.us > run.t1 + kLateReturnUs) {
                continue;
            }
            if (!hook && e.kind == TraceEvent::Kind::HookKey && e.key == key) {
                hook = &e;
            } else if (hook && e.kind == TraceEvent::Kind::SendInputReturned) {
                lastSend = &e;
            }
        }
        if (lastSend) {
            shares.push_back((lastSend->us - hook->us) / 1000);
        }
    }
    return shares;
}

namespace {

void PrintRow(std::ostream& out, const char* side, const SideFigures& f) {
    char row[160];
    std::snprintf(row, sizeof row, "    %-10s %4zu runs  min %7.2f  median %7.2f  p90 %7.2f ms",
                  side, f.latency.count, f.latency.min, f.latency.median, f.latency.p90);
    out << row;
    if (f.timedOut) {
        out << "  (" << f.timedOut << " timed out)";
    }
    out << '\n';
}

void PrintShare(std::ostream& out, const char* side, const LatencyStats& s) {
    char row[160];
    if (s.count == 0) {
        std::snprintf(row, sizeof row, "      %-10s no trace", side);
    } else {
        std::snprintf(row, sizeof row,
                      "      %-10s min %7.3f  median %7.3f  p90 %7.3f ms (%zu runs)", side, s.min,
                      s.median, s.p90, s.count);
    }
    out << row << '\n';
}

} // namespace

void PrintComparison(std::ostream& out, const Comparison& c, double aim) {
    out << c.label << '\n';
    PrintRow(out, "program", c.program);
    PrintRow(out, "baseline", c.baseline);
    char row[160];
    if (c.program.latency.count && c.baseline.latency.count && c.baseline.latency.median > 0) {
        const double ratio = c.program.latency.median / c.baseline.latency.median;
        std::snprintf(row, sizeof row, "    median ratio %.2fx (aim: at most %.2fx) %s", ratio, aim,
                      ratio <= aim ? "met" : "NOT met");
    } else {
        std::snprintf(row, sizeof row, "    median ratio n/a (a side has no completed run)");
    }
    out << row << '\n';
    out << "    own share, " << c.shareFrom << " to the last SendInput returning:\n";
    PrintShare(out, "program", c.program.share);
    PrintShare(out, "baseline", c.baseline.share);
}

} // namespace tw::bench
