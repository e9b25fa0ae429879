// Expansion of the eleven placeholders in large replies, next to the cost of one plain search
// pass over the same source. Run: build/bench/bin/expansion_bench
#include "expansion/apply_replacements.h"
#include "expansion/placeholders.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A reply as the rich-text editor writes it: font and colour tables, formatted paragraphs,
// escaped accents, and every placeholder several times.
std::string MakeReply(std::size_t size, bool withPlaceholders = true) {
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss"
                      "\\fcharset0 Arial;}{\\f1\\fnil Courier New;}}\r\n{\\colortbl ;\\red255"
                      "\\green0\\blue0;}\r\n\\viewkind4\\uc1\\pard\\f0\\fs20 ";
    const char* paragraphs[] = {
        "Dear customer, thank you for your letter of %YDate. {\\b Your order} was shipped on "
        "%Date at %ShortTime and will arrive by %TDate ({\\i %TDay}).\\par\r\n",
        "The r\\'e9sum\\'e9 you asked for is attached; our office is open until 18:00 on "
        "weekdays and closed on public holidays. Please quote the reference below.\\par\r\n",
        "Reference {\\cf1 TW-%ShortDate-%Time}, filed %Day; previous contact %YShortDate "
        "(%YDay), next review %TShortDate.\\par\r\n",
        "\\pard\\li720 Kind regards,\\line {\\f1 Support Team}\\par\r\n\\pard ",
    };
    for (std::size_t i = 0; rtf.size() < size; ++i) {
        rtf += paragraphs[withPlaceholders ? i % 4 : 1 + 2 * (i % 2)];
    }
    rtf += "}\r\n";
    return rtf;
}

class MemoryEditor : public tw::ExpansionEditor {
public:
    explicit MemoryEditor(const std::string& source) : source_(source) {}
    std::string GetRtfSource() override { return source_; }
    void LoadRtfSource(const std::string& source) override { loaded_ = source; }
    void ClearContentModified() override {}
    std::size_t LoadedSize() const { return loaded_.size(); }

private:
    const std::string& source_;
    std::string loaded_;
};

void ApplyPlaceholders(benchmark::State& state, bool withPlaceholders) {
    const std::string reply = MakeReply(static_cast<std::size_t>(state.range(0)), withPlaceholders);
    const std::string names = tw::GetPlaceholderNames();
    const std::string values = tw::GetPlaceholderValues(tw::LocalDateTime{2026, 1, 5, 9, 5, 7});
    MemoryEditor editor(reply);
    for (auto _ : state) {
        tw::ApplyReplacements(editor, names, values);
        benchmark::DoNotOptimize(editor.LoadedSize());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * reply.size()));
}

// A reply full of placeholders, and one with none (most replies).
void BM_ApplyPlaceholders(benchmark::State& state) {
    ApplyPlaceholders(state, true);
}
void BM_ApplyPlaceholdersToReplyWithout(benchmark::State& state) {
    ApplyPlaceholders(state, false);
}

// The floor: one std::string search pass over the same source, counting one placeholder.
void BaselineOneSearchPass(benchmark::State& state, bool withPlaceholders) {
    const std::string reply = MakeReply(static_cast<std::size_t>(state.range(0)), withPlaceholders);
    for (auto _ : state) {
        std::size_t hits = 0;
        for (std::size_t p = reply.find("%Date"); p != std::string::npos;
             p = reply.find("%Date", p + 5)) {
            ++hits;
        }
        benchmark::DoNotOptimize(hits);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * reply.size()));
}

void BM_BaselineOneSearchPass(benchmark::State& state) {
    BaselineOneSearchPass(state, true);
}
void BM_BaselineOneSearchPassInReplyWithout(benchmark::State& state) {
    BaselineOneSearchPass(state, false);
}

BENCHMARK(BM_BaselineOneSearchPass)->Arg(100 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ApplyPlaceholders)->Arg(100 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BaselineOneSearchPassInReplyWithout)
    ->Arg(100 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ApplyPlaceholdersToReplyWithout)
    ->Arg(100 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
