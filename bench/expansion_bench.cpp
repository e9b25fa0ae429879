// A whole expansion of a reply (three fields, then the eleven placeholders) as a delivery runs
// it, next to the cost of one plain search pass over the same source in the same run; and the
// forms a delivery renders from the expanded reply, HTML for the clipboard and plain text, next
// to that expansion. A typical reply is 20 KB; 1 MB shows whether the cost stays linear.
// Run: scripts/bench.sh
#include "expansion/apply_replacements.h"
#include "expansion/html_clipboard.h"
#include "expansion/local_clock.h"
#include "expansion/rtf_html.h"
#include "expansion/rtf_plain_text.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A reply as the rich-text editor writes it: font and colour tables, formatted paragraphs,
// escaped accents, a few field names and every placeholder, repeated up to the size.
std::string MakeReply(std::size_t size) {
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss"
                      "\\fcharset0 Arial;}{\\f1\\fnil Courier New;}}\r\n{\\colortbl ;\\red255"
                      "\\green0\\blue0;}\r\n\\viewkind4\\uc1\\pard\\f0\\fs20 ";
    const char* paragraphs[] = {
        "Dear Name, thank you for your letter of %YDate. {\\b Your order} was shipped on "
        "%Date at %ShortTime and will arrive by %TDate ({\\i %TDay}).\\par\r\n",
        "The r\\'e9sum\\'e9 you asked for is attached; our office is open until 18:00 on "
        "weekdays and closed on public holidays. Please quote the reference below.\\par\r\n",
        "Reference {\\cf1 TW-%ShortDate-%Time} for Company, filed %Day; previous contact "
        "%YShortDate (%YDay), next review %TShortDate.\\par\r\n",
        "\\pard\\li720 Kind regards,\\line {\\f1 Agent, Support Team}\\par\r\n\\pard ",
    };
    for (std::size_t i = 0; rtf.size() < size; ++i) {
        rtf += paragraphs[i % 4];
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

class FixedClock : public tw::LocalClock {
public:
    tw::LocalDateTime Now() override { return {2026, 1, 5, 9, 5, 7}; }
};

// Each pass reads the editor afresh and loads its result, as in the program.
void BM_ExpandReply(benchmark::State& state) {
    const std::string reply = MakeReply(static_cast<std::size_t>(state.range(0)));
    MemoryEditor editor(reply);
    FixedClock clock;
    for (auto _ : state) {
        tw::ExpandReply(editor, "Name,Company,Agent",
                        "Zo\xc3\xab Ng\x01"
                        "ACME {Europe}\x01"
                        "Ann",
                        clock);
        benchmark::DoNotOptimize(editor.LoadedSize());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * reply.size()));
}

// The floor: one std::string search pass over the same source, counting one placeholder.
void BM_BaselineOneSearchPass(benchmark::State& state) {
    const std::string reply = MakeReply(static_cast<std::size_t>(state.range(0)));
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

// The clipboard's HTML of the reply: the fragment and its header.
void BM_ReplyAsHtml(benchmark::State& state) {
    const std::string reply = MakeReply(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        const std::string data = tw::HtmlClipboardData(tw::RtfToHtml(reply));
        benchmark::DoNotOptimize(data.size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * reply.size()));
}

void BM_ReplyAsPlainText(benchmark::State& state) {
    const std::string reply = MakeReply(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        const std::string text = tw::RtfToPlainText(reply);
        benchmark::DoNotOptimize(text.size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * reply.size()));
}

BENCHMARK(BM_BaselineOneSearchPass)->Arg(20 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExpandReply)->Arg(20 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReplyAsHtml)->Arg(20 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReplyAsPlainText)->Arg(20 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
