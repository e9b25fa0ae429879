// Seeded random libraries, damaged in every way a byte can damage them, loaded and then edited:
// the model stays consistent and nothing is written outside the library folder.
#include "disk_fixture.h"
#include "library/index_line.h"

#include <filesystem>
#include <random>

namespace tw {
namespace {

namespace fs = std::filesystem;

class RandomLibrary : public testing::DiskFixture {
protected:
    std::mt19937 rng;

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    std::string RandomBytes(int max) {
        std::string s(static_cast<std::size_t>(Pick(max + 1)), '\0');
        const char alphabet[] = "ab(),?_.\\/:\r\n\x01\xE9 AZ09";
        for (char& c : s) {
            c = Pick(4) == 0 ? static_cast<char>(Pick(256)) : alphabet[Pick(sizeof alphabet - 1)];
        }
        return s;
    }

    // A name keeps its line; one line in eight is broken in two anyway.
    std::string RandomName() {
        std::string s = RandomBytes(8);
        if (Pick(8)) {
            std::erase_if(s, [](char c) { return c == '\r' || c == '\n'; });
        }
        return s;
    }

    std::string RandomId() {
        const char* ids[] = {"1", "2", "3", "1", "2", "3", "0", "..", "", "1/..", "x", "007"};
        return ids[Pick(12)];
    }

    std::string RandomIndex() {
        std::string text;
        for (int i = 3 + Pick(8); i > 0; --i) {
            const char* kinds[] = {"FOLDER_", "REPLY_", "FOLDER_", "REPLY_", "reply_", "NOTE_", ""};
            text += std::string(kinds[Pick(7)]) + RandomId() + (Pick(8) ? "?" : "") + RandomName() +
                    (Pick(2) ? "\r\n" : "\n");
        }
        return text;
    }

    void WriteRandomLibrary(const std::string& dir, int depth) {
        Put(dir + "index.sub", RandomIndex());
        for (int n = 1; n <= 3; ++n) {
            const std::string name = dir + std::to_string(n);
            if (Pick(3)) {
                Put(name + ".rep",
                    RandomBytes(12) + "\r\n" + RandomBytes(3) + "\r\n" + RandomBytes(30));
            }
            if (depth < 3 && Pick(2)) {
                WriteRandomLibrary(name + "/", depth + 1);
            }
        }
    }

    void ExpectConsistent() {
        ExpectTreeAndListAgree();
        for (int i = 0; i < list.Macros.Count(); ++i) {
            TRep* rep = list.MacroRep(i);
            ASSERT_NE(rep, nullptr);
            EXPECT_FALSE(rep->IsFolder());
            EXPECT_EQ(list.MacroIndexOf(rep), i);
        }
        for (int i = 0; i < list.HotKeyCount(); ++i) {
            EXPECT_EQ(list.HotKeyIndexOf(list.HotKeyRep(i)), i);
        }
        EXPECT_EQ(macroBox.Count(), list.Macros.Count());
        EXPECT_EQ(hotKeyBox.Count(), list.HotKeyCount());
    }

    TRep* AnyItem() { return list.Count() ? list.At(Pick(list.Count())) : nullptr; }
};

TEST_F(RandomLibrary, DamagedLibrariesLoadAndEditSafely) {
    const std::string libraryRoot = root + "lib";
    list.SetLibraryRoot(libraryRoot);
    int done = 0, refused = 0, loaded = 0;
    for (unsigned seed = 1; seed <= 25; ++seed) {
        rng.seed(seed);
        fs::remove_all(temp.Path() / "lib");
        WriteRandomLibrary("lib/", 0);
        Load();
        loaded += list.Count();
        ExpectConsistent();
        for (int step = 0; step < 20 && !HasFailure(); ++step) {
            TRep* item = AnyItem();
            bool ok = true;
            {
                switch (Pick(7)) {
                case 0:
                    ok = list.AddNewReply(item).Ok();
                    break;
                case 1:
                    ok = list.AddNewFolder(item).Ok();
                    break;
                case 2:
                    if (item) {
                        ok = list.RenameItem(item, RandomBytes(6)).Ok();
                    }
                    break;
                case 3:
                    if (item && !item->IsFolder()) {
                        list.SetMacro(item, RandomBytes(5));
                        list.SetHotKey(item, RandomBytes(2));
                        ok = list.SaveReply(item).Ok();
                    }
                    break;
                case 4:
                    if (item) {
                        ok = list.DeleteFromDisk(item).Ok();
                        if (ok) {
                            list.RemoveSubtree(item->Node);
                        }
                    }
                    break;
                default:
                    if (TRep* target = AnyItem(); item && target) {
                        ok = list.MoveItem(item, target).Ok();
                    }
                    break;
                }
                // A damaged library may refuse an operation; it must not corrupt the model.
                ++(ok ? done : refused);
            }
            ExpectConsistent();
        }
        std::vector<std::string> outside;
        for (const auto& e : fs::directory_iterator(temp.Path())) {
            outside.push_back(e.path().filename().string());
        }
        ASSERT_EQ(outside, std::vector<std::string>{"lib"}) << "seed " << seed;
        if (HasFailure()) {
            FAIL() << "seed " << seed;
        }
    }
    // The random libraries hold items and most operations succeed: the check is not vacuous.
    EXPECT_GT(loaded, 50);
    EXPECT_GT(done, refused * 3) << done << " done, " << refused << " refused";
}

} // namespace
} // namespace tw
