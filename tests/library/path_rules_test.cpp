// What may reach the file system: names from a listing, paths below the library root, and names
// that must pass the library's single-byte code page.
#include "fakes/memory_file_system.h"
#include "platform/path_rules.h"
#include "platform/rooted_file_system.h"

#include <gtest/gtest.h>

#include <map>

namespace tw {
namespace {

// A code page that, like Windows' table for 1252, maps look-alikes to ASCII without saying so
// (best fit) and marks only characters it has nothing for.
class BestFitCodePage : public CodePage {
public:
    std::string FromWide(std::u16string_view text, bool& usedDefault) const override {
        static const std::map<char16_t, char> fits = {
            {u'\uFF0E', '.'}, {u'\uFF0F', '/'}, {u'\u0141', 'L'}, {u'\u00E9', '\xE9'}};
        std::string out;
        usedDefault = false;
        for (const char16_t c : text) {
            if (c < 0x80) {
                out += static_cast<char>(c);
            } else if (const auto it = fits.find(c); it != fits.end()) {
                out += it->second;
            } else {
                out += '?';
                usedDefault = true;
            }
        }
        return out;
    }
    std::u16string ToWide(std::string_view bytes) const override {
        std::u16string out;
        for (const char b : bytes) {
            out += b == '\xE9' ? u'\u00E9' : static_cast<char16_t>(static_cast<unsigned char>(b));
        }
        return out;
    }
};

TEST(PathRules, OnlyNamesThatComeBackExactlyPassTheCodePage) {
    const struct {
        std::u16string name;
        std::optional<std::string> stored;
    } cases[] = {
        {u"Caf\u00E9 ok", "Caf\xE9 ok"},
        {u"\uFF0E\uFF0E", std::nullopt}, // would become ".."
        {u"a\uFF0Fb", std::nullopt},     // would become "a/b"
        {u"\u0141ukasz", std::nullopt},  // would become "Lukasz"
        {u"\u4E2D\u6587", std::nullopt}, // no byte at all
        {u"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToCodePageExactly(c.name, BestFitCodePage()), c.stored)
            << std::string(c.name.begin(), c.name.end());
    }
}

TEST(PathRules, ListedNamesThatWouldNameAnotherEntryAreNotPlain) {
    const struct {
        std::u16string name;
        bool plain;
    } cases[] = {
        {u"\uFF0E\uFF0E", true},
        {u"\u0141ukasz \u4E2D\u6587", true},
        {u"1.rep", true},
        {u"...x", true},
        {u".", false},
        {u"..", false},
        {u".. ", false},
        {u"x.", false},
        {u"a\\b", false},
        {u"a/b", false},
        {u"c:x", false},
        {u"a\u0001", false},
        {u"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsPlainEntryName(c.name), c.plain) << std::string(c.name.begin(), c.name.end());
    }
}

// Every change through the rooted file system is checked against the root, whatever path the
// caller built; only paths strictly below the root change anything.
TEST(PathRules, ChangesOutsideTheRootAreRefused) {
    const std::string s(1, kPathSep);
    const std::string root = s + "lib" + s;
    const struct {
        std::string path;
        bool inside;
    } cases[] = {
        {root + "1", true},
        {root + "1" + s + "2.rep", true},
        {root + "1" + s, true},
        {root + "\xEF\xBC\x8E\xEF\xBC\x8E", true}, // fullwidth dots are a name like any other
        {root, false},
        {root + "..", false},
        {root + "1" + s + ".." + s + ".." + s + "other", false},
        {root + "1" + s + "." + s + "2.rep", false},
        {root + "1" + s + s + "2.rep", false},
        {root + "1:stream", false},
        {root + ". .", false},
        {s + "library" + s + "1", false},
        {s + "other" + s + "1", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(IsInsideRoot(root, c.path), c.inside);
        fakes::MemoryFileSystem disk;
        disk.Put(root + "keep", "k");
        disk.Put(WithSeparator(c.path) + "f", "x");
        RootedFileSystem rooted(disk);
        rooted.SetRoot(root);
        EXPECT_EQ(rooted.RenamePath(c.path, root + "moved"), c.inside);
        EXPECT_EQ(rooted.DeleteTreeNoFollow(c.inside ? root + "moved" : c.path), c.inside);
        EXPECT_EQ(rooted.WriteFileAtomic(c.path, "y").ok && !c.inside, false);
        EXPECT_EQ(disk.files.count(root + "keep"), 1u);
    }
}

} // namespace
} // namespace tw
