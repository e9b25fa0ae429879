// An arbitrary reply file: with fewer than two lines it is refused with the structure message and
// no item; otherwise line 1 is the macro, a line 2 of one or two characters the hot key, the rest
// the body. Saving writes those back, and what was saved loads and saves the same again.
#include "fakes/memory_library.h"
#include "fuzz_check.h"
#include "library/library_error.h"
#include "library/text_lines.h"

#include <cstdint>

using namespace tw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) {
        return -1;
    }
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string root = fuzz::Root();
    const std::string path = root + "1.rep";
    fakes::MemoryFileSystem disk;
    disk.Put(root + kIndexFileName, "REPLY_1?R\r\n");
    disk.Put(path, input);
    fakes::MemoryLibrary loaded(disk, root);
    const std::vector<std::string> lines = SplitLines(input);
    if (lines.size() < 2) {
        fuzz::Check(loaded.list.Count() == 0, "a short file gives no item");
        fuzz::Check(loaded.boxes.Errors() ==
                        std::vector<std::string>{IncorrectStructureMessage(path)},
                    "a short file is reported once");
        return 0;
    }
    fuzz::Check(loaded.boxes.shown.empty() && loaded.list.Count() == 1, "one item, no message");
    TRep* rep = loaded.list.At(0);
    const int macro = loaded.list.MacroIndexOf(rep);
    const int hotKey = loaded.list.HotKeyIndexOf(rep);
    fuzz::Check(lines[0].empty() ? macro < 0
                                 : macro >= 0 && loaded.list.Macros.Get(macro) == lines[0],
                "line 1 is the macro");
    const bool hasKey = lines[1].size() == 1 || lines[1].size() == 2;
    fuzz::Check(hasKey ? hotKey >= 0 && loaded.list.HotKeys.Get(hotKey) == lines[1] : hotKey < 0,
                "line 2 is the hot key");
    fuzz::Check(loaded.list.BodyOf(rep) == std::vector<std::string>(lines.begin() + 2, lines.end()),
                "the rest is the body");

    fuzz::Check(loaded.list.SaveReply(rep).Ok(), "a loaded reply can be saved");
    std::vector<std::string> expected = lines;
    expected[1] = hasKey ? lines[1] : "";
    const std::string saved = disk.files.at(path);
    fuzz::Check(saved == JoinLines(expected), "saved as loaded");
    fakes::MemoryLibrary again(disk, root);
    fuzz::Check(again.Shape() == loaded.Shape() && again.boxes.shown.empty(),
                "saved loads the same");
    fuzz::Check(again.list.SaveReply(again.list.At(0)).Ok(), "saved again");
    fuzz::Check(disk.files.at(path) == saved, "saving again changes nothing");
    return 0;
}
