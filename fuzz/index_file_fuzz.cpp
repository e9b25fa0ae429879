// An arbitrary root "index.sub", with every file and folder its lines name present: each line of
// a known kind with a sound id becomes one item, in order, named by the text after its "?";
// a line repeating an earlier kind and id, and every other line, is skipped; nothing is reported;
// and the index written back from what loaded loads the same.
#include "fakes/memory_library.h"
#include "fuzz_check.h"
#include "library/collation.h"
#include "library/text_lines.h"

#include <cstdint>
#include <set>

using namespace tw;

namespace {
constexpr std::size_t kMaxLines = 64;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) {
        return -1;
    }
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string root = fuzz::Root();
    fakes::MemoryFileSystem disk;
    disk.Put(root + kIndexFileName, input);
    const std::vector<std::string> lines = SplitLines(input);
    // Every kind of line, and a repeat of each, fits many times over; more lines only add
    // items to build, load twice and compare.
    if (lines.size() > kMaxLines) {
        return -1;
    }
    std::string expected;
    std::set<std::string> seen;
    for (const std::string& line : lines) {
        const IndexLine parts = SplitIndexLine(line);
        const bool folder = SameTextAscii(parts.kind, kFolderKind);
        if (!IsValidId(parts.id) || (!folder && !SameTextAscii(parts.kind, kReplyKind)) ||
            !seen.insert((folder ? "F" : "R") + parts.id).second) {
            continue;
        }
        if (folder) {
            disk.Put(root + parts.id + kPathSep + kIndexFileName, "");
            expected += parts.name + " " + parts.id + "/\n";
        } else {
            disk.Put(root + parts.id + kReplyExtension, "\r\n\r\n");
            expected += parts.name + " " + parts.id + kReplyExtension + "\n";
        }
        fuzz::Check(SplitIndexLine(MakeIndexLine(parts.kind, parts.id, parts.name)).name ==
                        parts.name,
                    "split and join keep the name");
    }
    fakes::MemoryLibrary loaded(disk, root);
    const std::string shape = loaded.Shape();
    fuzz::Check(shape == expected, "items are the sound lines in order",
                [&] { return shape + "expected:\n" + expected; });
    fuzz::Check(loaded.boxes.shown.empty(), "nothing reported");

    std::vector<std::string> rewritten;
    for (TreeNode* n = loaded.tree.FirstNode(); n; n = n->NextSibling()) {
        const TRep* rep = n->Data();
        rewritten.push_back(
            rep->IsFolder()
                ? MakeIndexLine(kFolderKind, rep->FolderId, n->Caption())
                : MakeIndexLine(kReplyKind, NameWithoutExtension(rep->FileName), n->Caption()));
    }
    disk.Put(root + kIndexFileName, JoinLines(rewritten));
    fakes::MemoryLibrary again(disk, root);
    fuzz::Check(again.Shape() == expected && again.boxes.shown.empty(),
                "written back loads the same");
    return 0;
}
