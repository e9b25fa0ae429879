// One search of 10,000 replies as the user types it, key by key, next to the least any search
// must do in the same run: one plain substring pass over the same raw texts. The picker runs a
// search on every key, so each must stay well under a frame (16 ms).
// Run: scripts/bench.sh
#include "search/reply_search.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// Names, macros, folders and texts like a support desk's: words from a small vocabulary, so
// that typed words match many replies, as they do in a real library.
std::vector<tw::SearchItem> MakeLibrary(std::size_t count) {
    const char* words[] = {"order",   "refund",   "delivery", "invoice",  "M\xC3\xBCller",
                           "account", "password", "shipping", "warranty", "return",
                           "thank",   "you",      "please",   "contact",  "support",
                           "days",    "within",   "business", "address",  "change"};
    std::vector<tw::SearchItem> items;
    std::uint32_t seed = 12345;
    auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
    for (std::size_t i = 0; i < count; ++i) {
        tw::SearchItem item;
        item.key = std::to_string(i / 100) + "\\" + std::to_string(i % 100) + ".rep";
        item.name =
            std::string(words[next() % 20]) + " " + words[next() % 20] + " " + std::to_string(i);
        item.macro =
            i % 3 == 0 ? std::string(words[next() % 20]).substr(0, 4) + std::to_string(i) : "";
        item.folder = std::string("Team / ") + words[next() % 20];
        while (item.text.size() < 600) {
            item.text += words[next() % 20];
            item.text += ' ';
        }
        items.push_back(std::move(item));
    }
    return items;
}

const char* const kTyped = "refund within busi";

void BM_SearchAsTyped(benchmark::State& state) {
    tw::ReplySearch search;
    search.SetItems(MakeLibrary(static_cast<std::size_t>(state.range(0))));
    tw::RecentReplies recent;
    for (int i = 0; i < 100; ++i) {
        recent.Delivered(search.Item(static_cast<std::size_t>(i * 37 % search.Count())).key);
    }
    const std::string typed = kTyped;
    for (auto _ : state) {
        for (std::size_t n = 1; n <= typed.size(); ++n) {
            benchmark::DoNotOptimize(search.Find(typed.substr(0, n), recent, 200));
        }
    }
    state.counters["per key"] = benchmark::Counter(static_cast<double>(typed.size()),
                                                   benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
}
BENCHMARK(BM_SearchAsTyped)->Arg(10000)->Unit(benchmark::kMillisecond);

// Baseline: the same keys, each one plain find of the typed text in every raw text.
void BM_Baseline_PlainFind(benchmark::State& state) {
    const std::vector<tw::SearchItem> items = MakeLibrary(static_cast<std::size_t>(state.range(0)));
    const std::string typed = kTyped;
    for (auto _ : state) {
        for (std::size_t n = 1; n <= typed.size(); ++n) {
            const std::string word = typed.substr(0, n);
            std::size_t found = 0;
            for (const tw::SearchItem& item : items) {
                found += item.text.find(word) != std::string::npos;
            }
            benchmark::DoNotOptimize(found);
        }
    }
    state.counters["per key"] = benchmark::Counter(static_cast<double>(typed.size()),
                                                   benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
}
BENCHMARK(BM_Baseline_PlainFind)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_IndexLibrary(benchmark::State& state) {
    const std::vector<tw::SearchItem> items = MakeLibrary(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        tw::ReplySearch search;
        search.SetItems(items);
        benchmark::DoNotOptimize(search.Count());
    }
}
BENCHMARK(BM_IndexLibrary)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
