// Library load, macro lookup and folder deletion on a generated 10,000-reply library, each next
// to a baseline measured in the same run.
#include "generated_library.h"
#include "library/rep_list.h"
#include "library/text_lines.h"
#include "platform/files.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>

namespace tw::bench {
namespace {

struct Model {
    ReplyTree tree;
    ListModel hotKeys;
    ListModel macros;
    TRepList list{tree, hotKeys, macros};
};

TreeNode* TopLevel(const ReplyTree& tree, const std::string& caption) {
    for (TreeNode* n = tree.FirstNode(); n; n = n->NextSibling()) {
        if (n->Caption() == caption) {
            return n;
        }
    }
    return nullptr;
}

// Baseline for the load: the same files read into memory, nothing parsed.
void BM_Load_Baseline_ReadFiles(benchmark::State& state) {
    GeneratedLibrary& lib = SharedLibrary();
    std::string bytes;
    for (auto _ : state) {
        std::size_t total = 0;
        for (const auto& f : lib.files) {
            ReadFileBytes(f, bytes, kMaxLibraryFileBytes);
            total += bytes.size();
        }
        benchmark::DoNotOptimize(total);
    }
    state.counters["files"] = static_cast<double>(lib.files.size());
}
BENCHMARK(BM_Load_Baseline_ReadFiles)->Unit(benchmark::kMillisecond);

// The same, keeping every file's bytes in memory as the library keeps its replies.
void BM_Load_Baseline_ReadFilesKept(benchmark::State& state) {
    GeneratedLibrary& lib = SharedLibrary();
    for (auto _ : state) {
        std::vector<std::string> kept(lib.files.size());
        for (std::size_t i = 0; i < lib.files.size(); ++i) {
            ReadFileBytes(lib.files[i], kept[i], kMaxLibraryFileBytes);
        }
        benchmark::DoNotOptimize(kept.data());
        state.PauseTiming();
        kept.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Load_Baseline_ReadFilesKept)->Unit(benchmark::kMillisecond);

void BM_Load_LoadReplyLibrary(benchmark::State& state) {
    GeneratedLibrary& lib = SharedLibrary();
    for (auto _ : state) {
        Model m;
        m.list.SetLibraryRoot(lib.root);
        LoadReplyLibrary(m.list);
        if (m.list.Count() != 10200 || m.list.HotKeyCount() != 72) {
            state.SkipWithError("the generated library did not load completely");
        }
        state.PauseTiming(); // tearing the model down is not part of the load
        m.list.ClearAll();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Load_LoadReplyLibrary)->Unit(benchmark::kMillisecond);

std::vector<std::string> Queries(const GeneratedLibrary& lib) {
    std::vector<std::string> q;
    for (std::size_t i = 0; i < lib.macros.size(); i += 5) {
        const std::string& m = lib.macros[i];
        const auto paren = m.find('(');
        q.push_back(paren == std::string::npos ? m : m.substr(0, paren) + "(Ann,Paris)");
        q.push_back(Cat("zz", std::to_string(i))); // a miss
    }
    return q;
}

// Baseline for the lookup: the same texts found in a sorted vector with plain comparison.
void BM_FindMacro_Baseline_SortedVector(benchmark::State& state) {
    GeneratedLibrary& lib = SharedLibrary();
    std::vector<std::string> sorted = lib.macros;
    std::sort(sorted.begin(), sorted.end());
    const auto queries = Queries(lib);
    for (auto _ : state) {
        for (const auto& q : queries) {
            benchmark::DoNotOptimize(std::lower_bound(sorted.begin(), sorted.end(), q));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(queries.size()));
}
BENCHMARK(BM_FindMacro_Baseline_SortedVector);

void BM_FindMacro(benchmark::State& state) {
    GeneratedLibrary& lib = SharedLibrary();
    Model m;
    m.list.SetLibraryRoot(lib.root);
    LoadReplyLibrary(m.list);
    const auto queries = Queries(lib);
    std::string fields, values;
    for (auto _ : state) {
        for (const auto& q : queries) {
            benchmark::DoNotOptimize(m.list.FindMacro(q, &fields, &values));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(queries.size()));
}
BENCHMARK(BM_FindMacro);

// Baseline for deleting a folder: the same disk work (directory tree gone, root index
// rewritten) without the library model.
void BM_DeleteFolder500_Baseline_DiskOnly(benchmark::State& state) {
    GeneratedLibrary& lib = SharedLibrary();
    for (auto _ : state) {
        state.PauseTiming();
        const std::string id = lib.AddFolder(500);
        state.ResumeTiming();
        std::vector<std::string> lines =
            ReadLinesOrThrow(SystemFileSystem(), lib.root + "index.sub");
        lines.pop_back();
        WriteLinesOrThrow(SystemFileSystem(), lib.root + "index.sub", lines);
        DeleteTreeNoFollow(lib.root + id);
        state.PauseTiming();
        lib.Restore();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteFolder500_Baseline_DiskOnly)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_DeleteFolder500(benchmark::State& state) {
    GeneratedLibrary& lib = SharedLibrary();
    for (auto _ : state) {
        state.PauseTiming();
        lib.AddFolder(500);
        Model m;
        m.list.SetLibraryRoot(lib.root);
        LoadReplyLibrary(m.list);
        TRep* folder = TopLevel(m.tree, "Extra")->Data();
        state.ResumeTiming();
        m.list.DeleteFromDisk(folder);
        m.list.RemoveSubtree(folder->Node);
        state.PauseTiming();
        if (m.list.Count() != 10200 || m.list.Macros.Count() != 5000) {
            state.SkipWithError("the folder was not removed completely");
        }
        m.list.ClearAll();
        lib.Restore();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteFolder500)->Unit(benchmark::kMillisecond)->Iterations(10);

// The model part alone, at growing library sizes: the time must stay flat, not grow with the
// number of replies around the removed folder.
void BM_RemoveSubtree500_InMemory(benchmark::State& state) {
    const int others = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        Model m;
        m.list.BeginLoad();
        TRep* rest = m.list.At(m.list.AddItem("rest", nullptr));
        rest->FolderId = "1";
        for (int i = 0; i < others; ++i) {
            TRep* r = m.list.At(m.list.AddItem("r", rest->Node));
            r->FileName = std::to_string(i + 1) + ".rep";
            m.list.Macros.Add(Cat("o", std::to_string(i)), r);
        }
        TRep* folder = m.list.At(m.list.AddItem("gone", nullptr));
        folder->FolderId = "2";
        for (int i = 0; i < 500; ++i) {
            TRep* r = m.list.At(m.list.AddItem("g", folder->Node));
            r->FileName = std::to_string(i + 1) + ".rep";
            m.list.Macros.Add(Cat("g", std::to_string(i)), r);
        }
        m.list.EndLoad();
        state.ResumeTiming();
        m.list.RemoveSubtree(folder->Node);
        state.PauseTiming();
        m.list.ClearAll();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RemoveSubtree500_InMemory)
    ->Arg(2500)
    ->Arg(10000)
    ->Arg(40000)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(20);

} // namespace
} // namespace tw::bench

BENCHMARK_MAIN();
