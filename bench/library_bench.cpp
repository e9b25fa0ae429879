// The library at 1,000, 10,000 and 100,000 replies: load, macro lookup, adding and deleting a
// reply, moving and removing a folder of 500 replies, and the memory of the loaded library,
// each next to a baseline measured in the same run.
#include "generated_library.h"
#include "library/index_line.h"
#include "library/rep_list.h"
#include "library/text_lines.h"
#include "platform/file_system.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace tw::bench {
namespace {

constexpr int kSizes[] = {1000, 10000, 100000};

void Sizes(benchmark::internal::Benchmark* b) {
    for (int n : kSizes) {
        b->Arg(n);
    }
}

std::size_t HeapInUse() {
#ifdef __GLIBC__
    return mallinfo2().uordblks;
#else
    return 0;
#endif
}

struct Model {
    ReplyTree tree;
    ListModel hotKeys;
    ListModel macros;
    TRepList list{tree, hotKeys, macros};

    explicit Model(const GeneratedLibrary& lib, const std::string& startupIndex = {}) {
        list.SetLibraryRoot(lib.root);
        list.SetStartupIndexFile(startupIndex);
        LoadReplyLibrary(list);
    }
};

// Loaded once per size for the benchmarks that change it and put it back.
Model& SharedModel(int replies) {
    static std::map<int, std::unique_ptr<Model>> models;
    auto& model = models[replies];
    if (!model) {
        model = std::make_unique<Model>(SharedLibrary(replies));
    }
    return *model;
}

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
    GeneratedLibrary& lib = SharedLibrary(static_cast<int>(state.range(0)));
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
    state.counters["file_MiB"] = static_cast<double>(lib.bytes) / (1 << 20);
}
BENCHMARK(BM_Load_Baseline_ReadFiles)->Apply(Sizes)->Unit(benchmark::kMillisecond);

// The whole load; heap_MiB is what the loaded library keeps, next to the size of its files.
void BM_Load_LoadReplyLibrary(benchmark::State& state) {
    GeneratedLibrary& lib = SharedLibrary(static_cast<int>(state.range(0)));
    std::size_t kept = 0;
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        auto m = std::make_unique<Model>(lib);
        kept = HeapInUse() - before;
        if (m->list.Count() != lib.replies + lib.folders || m->list.HotKeyCount() != 72) {
            state.SkipWithError("the generated library did not load completely");
        }
        state.PauseTiming(); // tearing the model down is not part of the load
        m.reset();
        state.ResumeTiming();
    }
    state.counters["heap_MiB"] = static_cast<double>(kept) / (1 << 20);
    state.counters["file_MiB"] = static_cast<double>(lib.bytes) / (1 << 20);
}
BENCHMARK(BM_Load_LoadReplyLibrary)->Apply(Sizes)->Unit(benchmark::kMillisecond);

// The load with a startup index that still holds (written by one load before): each folder is
// listed once and only the index files are read. Next to the whole load above.
void BM_Load_WarmStartupIndex(benchmark::State& state) {
    GeneratedLibrary& lib = SharedLibrary(static_cast<int>(state.range(0)));
    const std::string index = lib.root.substr(0, lib.root.size() - 1) + ".startup.idx";
    Model(lib, index); // the cold start writes it
    std::size_t kept = 0;
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        auto m = std::make_unique<Model>(lib, index);
        kept = HeapInUse() - before;
        if (m->list.Count() != lib.replies + lib.folders || m->list.HotKeyCount() != 72) {
            state.SkipWithError("the generated library did not load completely");
        }
        state.PauseTiming();
        m.reset();
        state.ResumeTiming();
    }
    std::remove(index.c_str());
    state.counters["heap_MiB"] = static_cast<double>(kept) / (1 << 20);
}
BENCHMARK(BM_Load_WarmStartupIndex)->Apply(Sizes)->Unit(benchmark::kMillisecond);

std::vector<std::string> Queries(const GeneratedLibrary& lib) {
    std::vector<std::string> q;
    for (std::size_t i = 0; i < lib.macros.size() && q.size() < 2000; i += 5) {
        const std::string& m = lib.macros[i];
        const auto paren = m.find('(');
        q.push_back(paren == std::string::npos ? m : m.substr(0, paren) + "(Ann,Paris)");
        q.push_back(Cat("zz", std::to_string(i))); // a miss
    }
    return q;
}

// Baseline for the lookup: the same texts found in a sorted vector with plain comparison.
void BM_FindMacro_Baseline_SortedVector(benchmark::State& state) {
    GeneratedLibrary& lib = SharedLibrary(static_cast<int>(state.range(0)));
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
BENCHMARK(BM_FindMacro_Baseline_SortedVector)->Apply(Sizes);

void BM_FindMacro(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Model& m = SharedModel(n);
    const auto queries = Queries(SharedLibrary(n));
    std::string fields, values;
    for (auto _ : state) {
        for (const auto& q : queries) {
            benchmark::DoNotOptimize(m.list.FindMacro(q, &fields, &values));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(queries.size()));
}
BENCHMARK(BM_FindMacro)->Apply(Sizes);

// Baseline for adding and deleting a reply: the same files written and removed, no model.
void BM_AddDeleteReply_Baseline_DiskOnly(benchmark::State& state) {
    GeneratedLibrary& lib = SharedLibrary(static_cast<int>(state.range(0)));
    const std::string dir = lib.root + "1" + kPathSep;
    FileSystem& files = SystemFileSystem();
    for (auto _ : state) {
        std::vector<std::string> lines = ReadAllLines(files, dir + "index.sub").Value();
        (void)WriteAllLines(files, dir + "51.rep", {"", ""});
        lines.push_back("REPLY_51?New Reply");
        (void)WriteAllLines(files, dir + "index.sub", lines);
        lines.pop_back();
        (void)WriteAllLines(files, dir + "index.sub", lines);
        files.RemoveFileForce(dir + "51.rep");
    }
}
BENCHMARK(BM_AddDeleteReply_Baseline_DiskOnly)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

void BM_AddDeleteReply(benchmark::State& state) {
    Model& m = SharedModel(static_cast<int>(state.range(0)));
    TRep* sibling = TopLevel(m.tree, "Top 1")->FirstChild()->Data();
    for (auto _ : state) {
        TRep* added = m.list.AddNewReply(sibling).Value();
        m.list.SetMacro(added, "benchmark(Name)");
        (void)m.list.DeleteFromDisk(added);
        m.list.RemoveSubtree(added->Node);
    }
}
BENCHMARK(BM_AddDeleteReply)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

// Baseline for moving a folder of 500 replies there and back: the disk work alone.
void BM_MoveFolder500_Baseline_DiskOnly(benchmark::State& state) {
    GeneratedLibrary& lib = SharedLibrary(static_cast<int>(state.range(0)));
    const std::string id = lib.AddFolder(500);
    FileSystem& files = SystemFileSystem();
    const std::string rootIndex = lib.root + "index.sub";
    const std::string topIndex = lib.root + "1" + kPathSep + "index.sub";
    for (auto _ : state) {
        for (const auto& [from, to] :
             {std::pair{lib.root + id, lib.root + "1" + kPathSep + "10"},
              std::pair{lib.root + "1" + kPathSep + "10", lib.root + id}}) {
            std::vector<std::string> a = ReadAllLines(files, rootIndex).Value();
            std::vector<std::string> b = ReadAllLines(files, topIndex).Value();
            files.RenamePath(from, to);
            (void)WriteAllLines(files, topIndex, b);
            (void)WriteAllLines(files, rootIndex, a);
        }
    }
    lib.Restore();
}
BENCHMARK(BM_MoveFolder500_Baseline_DiskOnly)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

void BM_MoveFolder500(benchmark::State& state) {
    GeneratedLibrary& lib = SharedLibrary(static_cast<int>(state.range(0)));
    lib.AddFolder(500);
    {
        Model m(lib);
        TreeNode* extra = TopLevel(m.tree, "Extra");
        TreeNode* inside = TopLevel(m.tree, "Top 1")->FirstChild();
        TreeNode* back = TopLevel(m.tree, "Top 1");
        for (auto _ : state) {
            (void)m.list.MoveItem(extra->Data(), inside->Data());
            m.tree.MoveBefore(extra, inside);
            (void)m.list.MoveItem(extra->Data(), back->Data());
            m.tree.MoveBefore(extra, back);
        }
    }
    lib.Restore();
}
BENCHMARK(BM_MoveFolder500)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

// Baseline for deleting a folder: the same disk work (directory tree gone, root index
// rewritten) without the library model.
void BM_DeleteFolder500_Baseline_DiskOnly(benchmark::State& state) {
    GeneratedLibrary& lib = SharedLibrary(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        const std::string id = lib.AddFolder(500);
        state.ResumeTiming();
        std::vector<std::string> lines =
            ReadAllLines(SystemFileSystem(), lib.root + "index.sub").Value();
        lines.pop_back();
        (void)WriteAllLines(SystemFileSystem(), lib.root + "index.sub", lines);
        DeleteTreeNoFollow(lib.root + id);
        state.PauseTiming();
        lib.Restore();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteFolder500_Baseline_DiskOnly)
    ->Apply(Sizes)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

void BM_DeleteFolder500(benchmark::State& state) {
    GeneratedLibrary& lib = SharedLibrary(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        lib.AddFolder(500);
        auto m = std::make_unique<Model>(lib);
        TRep* folder = TopLevel(m->tree, "Extra")->Data();
        state.ResumeTiming();
        (void)m->list.DeleteFromDisk(folder);
        m->list.RemoveSubtree(folder->Node);
        state.PauseTiming();
        if (m->list.Count() != lib.replies + lib.folders) {
            state.SkipWithError("the folder was not removed completely");
        }
        m.reset();
        lib.Restore();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteFolder500)->Apply(Sizes)->Unit(benchmark::kMillisecond)->Iterations(5);

// The model part alone, at growing library sizes: the time must stay flat, not grow with the
// number of replies around the removed folder.
void BM_RemoveSubtree500_InMemory(benchmark::State& state) {
    const int others = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto m = std::make_unique<Model>(SharedLibrary(kSizes[0]));
        m->list.ClearAll();
        m->list.BeginLoad();
        TRep* rest = m->list.At(m->list.AddItem("rest", nullptr));
        rest->FolderId = "1";
        for (int i = 0; i < others; ++i) {
            TRep* r = m->list.At(m->list.AddItem("r", rest->Node));
            r->FileName = std::to_string(i + 1) + ".rep";
            m->list.Macros.Add(Cat("o", std::to_string(i)), r);
        }
        TRep* folder = m->list.At(m->list.AddItem("gone", nullptr));
        folder->FolderId = "2";
        for (int i = 0; i < 500; ++i) {
            TRep* r = m->list.At(m->list.AddItem("g", folder->Node));
            r->FileName = std::to_string(i + 1) + ".rep";
            m->list.Macros.Add(Cat("g", std::to_string(i)), r);
        }
        m->list.EndLoad();
        state.ResumeTiming();
        m->list.RemoveSubtree(folder->Node);
        state.PauseTiming();
        m.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RemoveSubtree500_InMemory)
    ->Arg(2500)
    ->Arg(10000)
    ->Arg(40000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(20);

} // namespace
} // namespace tw::bench

BENCHMARK_MAIN();
