// Figures of the delivery benchmark: the reader's timed runs, the trace a delivering program
// writes, and the table that sets the program next to its baseline.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

namespace tw::bench {

struct LatencyStats {
    std::size_t count = 0;
    double min = 0;
    double median = 0;
    double p90 = 0; // nearest rank
};

LatencyStats Summarize(std::vector<double> values);

// One timed run, on the QueryPerformanceCounter clock in microseconds: t0 just before the trigger
// key goes out, t1 when the target's text was first read as the expected reply.
struct TimedRun {
    double t0 = 0;
    double t1 = 0;
};

struct RunLog {
    std::vector<TimedRun> runs;
    std::size_t timedOut = 0;
};

// Lines "ok T0 T1" and "timeout T0"; anything else is skipped.
RunLog ParseRunLog(std::istream& in);

std::vector<double> Latencies(const std::vector<TimedRun>& runs); // milliseconds

struct TraceEvent {
    enum class Kind { HookKey, SendInputReturned };
    double us = 0;
    Kind kind = Kind::HookKey;
    unsigned key = 0;
};

// Lines "US key HEX" and "US sendinput INSERTED ASKED"; anything else is skipped.
std::vector<TraceEvent> ParseTrace(std::istream& in);

// Per run, in milliseconds: from the first hook message of `key` at or after the run's t0 to the
// last SendInput return by shortly after its t1. Runs without both are left out.
std::vector<double> OwnShares(const std::vector<TraceEvent>& trace,
                              const std::vector<TimedRun>& runs, unsigned key);

struct SideFigures {
    LatencyStats latency;
    std::size_t timedOut = 0;
    LatencyStats share; // count 0 without a trace
};

struct Comparison {
    std::string label;
    std::string shareFrom; // what starts the own share, e.g. "Space's hook message"
    SideFigures program;
    SideFigures baseline;
};

void PrintComparison(std::ostream& out, const Comparison& c, double aim);

} // namespace tw::bench
