// A whole library built from the input, then changed by a script from the same input.
// Input: chunks separated by NUL bytes. A chunk "path\ncontent" puts a file below the root
// (a path ending in "/" makes a folder); a last chunk starting with "!" is the script, one
// operation per three bytes (the first twelve). Properties: the load reads nothing outside the root
// and leaves it alone; a library that loads without a message stays, after every operation (done or
// refused), exactly what loading the disk again shows, with nothing stray on disk; and that load,
// taking what it can from the startup index the first load and the steps kept, shows what the
// files alone give.
#include "fakes/memory_library.h"
#include "fuzz_check.h"
#include "library/hot_key.h"
#include "library/library_error.h"
#include "library/text_lines.h"

#include <algorithm>
#include <cstdint>
#include <vector>

using namespace tw;

namespace {

constexpr std::size_t kMaxChunks = 32;

std::vector<std::string> Chunks(const std::string& input) {
    std::vector<std::string> chunks(1);
    for (char c : input) {
        if (c == '\0') {
            chunks.emplace_back();
        } else {
            chunks.back() += c;
        }
    }
    return chunks;
}

std::string DiskPath(const std::string& root, std::string relative) {
    for (char& c : relative) {
        c = c == '/' ? kPathSep : c;
    }
    return root + relative;
}

TRep* Pick(const TRepList& list, unsigned char byte) {
    return list.Count() == 0 ? nullptr : list.At(byte % list.Count());
}

void RunStep(fakes::MemoryLibrary& lib, unsigned char op, unsigned char a, unsigned char b) {
    TRepList& list = lib.list;
    TRep* item = Pick(list, a);
    TRep* other = Pick(list, b);
    switch (op % 8) {
    case 0:
        static_cast<void>(list.AddNewReply(item)); // a refusal is checked like a success
        break;
    case 1:
        static_cast<void>(list.AddNewFolder(item));
        break;
    case 2:
        if (item) {
            static_cast<void>(list.RenameItem(item, "N" + std::to_string(b)));
        }
        break;
    case 3:
        if (item && other) {
            if (list.MoveItem(item, other)) {
                lib.tree.MoveBefore(item->Node, other->Node);
            }
        }
        break;
    case 4:
        if (item) {
            if (list.DeleteFromDisk(item)) {
                list.RemoveSubtree(item->Node);
            }
        }
        break;
    case 5:
        if (item && !item->IsFolder()) {
            list.SetMacro(item, b % 2 ? "m" + std::to_string(b % 7) + "(X)"
                                      : "m" + std::to_string(b % 5));
            list.SetHotKey(
                item, b % 3
                          ? EncodeHotKey(b % 2 == 1, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"[b % 36])
                          : "");
            static_cast<void>(list.SaveReply(item));
        }
        break;
    case 6:
        if (item && !item->IsFolder()) {
            list.SetBody(item, {"{\\rtf1 " + std::to_string(b) + "}"});
            static_cast<void>(list.SaveReply(item));
        }
        break;
    default:
        if (item && item->Node->Parent()) {
            if (list.RenameItem(item->Node->Parent()->Data(), "New Folder")) {
                static_cast<void>(list.RenameItem(item, "R" + std::to_string(b)));
            }
        }
        break;
    }
}

// Of two reply files holding one macro or hot key, the load gives it to the first and leaves the
// other's file holding it until that reply is next saved: once the first lets it go, loading again
// hands it to the other. Agreement with the disk is only asked of libraries without such pairs.
bool FilesHoldDuplicates(fakes::MemoryLibrary& lib, FileSystem& disk) {
    int macros = 0;
    int hotKeys = 0;
    std::vector<std::string> lines;
    std::string scratch;
    for (int i = 0; i < lib.list.Count(); ++i) {
        const TRep* rep = lib.list.At(i);
        if (!rep->IsFolder() && ReadLines(disk, rep->FullPath(), lines, scratch, 2) &&
            lines.size() >= 2) {
            macros += lines[0].empty() ? 0 : 1;
            hotKeys += lines[1].size() == 1 || lines[1].size() == 2 ? 1 : 0;
        }
    }
    return macros != lib.list.Macros.Count() || hotKeys != lib.list.HotKeys.Count();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) {
        return -1;
    }
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string root = fuzz::Root();
    fakes::MemoryFileSystem disk;
    disk.AddDir(root);
    const std::string outside = std::string(1, kPathSep) + "keep" + kPathSep + "index.sub";
    disk.Put(outside, "REPLY_1?Outside\r\n");
    std::vector<std::string> chunks = Chunks(input);
    std::string script;
    if (!chunks.empty() && !chunks.back().empty() && chunks.back()[0] == '!') {
        script = chunks.back().substr(1);
        chunks.pop_back();
    }
    // A few dozen files and folders hold every kind of item many times over; more only add
    // items to load three times.
    if (chunks.size() > kMaxChunks) {
        return -1;
    }
    for (const std::string& chunk : chunks) {
        const std::size_t cut = chunk.find('\n');
        const std::string path = chunk.substr(0, cut);
        if (path.empty() || path.find("..") != std::string::npos || path[0] == '/') {
            continue;
        }
        // Only what a real disk can hold: never a file and a folder of one name, nor a file
        // below a file.
        const std::string full = DiskPath(root, path);
        if (path.back() == '/') {
            disk.CreateDirectories(full);
        } else if (!disk.DirExists(full) &&
                   disk.CreateDirectories(fakes::MemoryFileSystem::Parent(full))) {
            disk.files[full] = cut == std::string::npos ? "" : chunk.substr(cut + 1);
        }
    }
    // Both loads keep a startup index: the second takes what it can from what the first and
    // the steps left in it.
    const std::string startupIndex = std::string(1, kPathSep) + "data" + kPathSep + "startup.idx";
    fakes::MemoryLibrary lib(disk, root, startupIndex);
    fuzz::Check(disk.files.count(outside) && disk.dirs.count(std::string(1, kPathSep) + "keep"),
                "nothing outside the root is touched");
    if (!lib.boxes.shown.empty()) {
        return 0;
    }
    const bool clean = lib.StrayPaths(disk).empty();
    const bool unique = !FilesHoldDuplicates(lib, disk);
    // A few steps are enough to reach every operation. The disk is loaded again once, after the
    // last: a model that drifted from the disk on the way rarely drifts back.
    const std::size_t steps = std::min<std::size_t>(script.size(), 3 * 12);
    for (std::size_t i = 0; i + 2 < steps; i += 3) {
        // A refused step leaves the disk matching the model all the same.
        RunStep(lib, static_cast<unsigned char>(script[i]),
                static_cast<unsigned char>(script[i + 1]),
                static_cast<unsigned char>(script[i + 2]));
        fuzz::Check(disk.files.count(outside) != 0, "nothing outside the root is touched");
    }
    fakes::MemoryFileSystem copy = disk;
    const std::string alone = fakes::MemoryLibrary(copy, root).Shape();
    fakes::MemoryLibrary again(disk, root, startupIndex);
    const std::string model = lib.Shape();
    const std::string loaded = again.Shape();
    fuzz::Check(loaded == alone, "the startup index changes nothing",
                [&] { return "files alone:\n" + alone + "with the index:\n" + loaded; });
    fuzz::Check(!unique || loaded == model, "model and disk agree",
                [&] { return model + "disk:\n" + loaded; });
    fuzz::Check(again.boxes.shown.empty(), "the disk loads without a message", [&] {
        std::string shown;
        for (const auto& box : again.boxes.shown) {
            shown += box.text + "\n";
        }
        return shown;
    });
    fuzz::Check(!clean || again.StrayPaths(disk).empty(), "nothing stray",
                [&] { return again.StrayPaths(disk); });
    return 0;
}
