// The file boundary against the real Windows API: atomic replace, forced deletes, links, and
// paths with characters outside the ANSI code page.
#include "fakes/recording_message_boxes.h"
#include "library/rep_list.h"
#include "platform/files.h"
#include "platform/win32/ansi_path.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tw {
namespace {

class TempFolder {
public:
    TempFolder() {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        path_ = *win32::WideToPath(base) + "tw-files-" + std::to_string(GetCurrentProcessId()) +
                "-" + std::to_string(GetTickCount64());
        CreateDirectories(path_);
    }
    ~TempFolder() { DeleteTreeNoFollow(path_); }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

std::string Read(const std::string& path) {
    std::string bytes;
    EXPECT_EQ(ReadFileBytes(path, bytes, 1u << 20), ReadStatus::Ok) << path;
    return bytes;
}

std::vector<std::wstring> Names(const std::string& dir) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd{};
    HANDLE find = FindFirstFileW(win32::PathToWide(dir + "\\*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::wstring n = fd.cFileName;
        if (n != L"." && n != L"..") {
            names.push_back(n);
        }
    } while (FindNextFileW(find, &fd));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FilesWin32, AtomicReplaceKeepsOldContentWhenTheWriteCannotHappen) {
    TempFolder temp;
    const std::string target = temp / "index.sub";
    ASSERT_TRUE(WriteFileAtomic(target, "old\r\n").ok);
    ASSERT_TRUE(WriteFileAtomic(target, "new\r\n").ok);
    EXPECT_EQ(Read(target), "new\r\n");
    EXPECT_EQ(Names(temp.Path()), std::vector<std::wstring>{L"index.sub"});

    const WriteResult missing = WriteFileAtomic(temp / "missing\\index.sub", "x");
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.error.find(temp / "missing\\index.sub"), std::string::npos);

    ASSERT_TRUE(CreateDirectories(temp / "dir"));
    EXPECT_FALSE(WriteFileAtomic(temp / "dir", "x").ok);
    EXPECT_TRUE(DirExists(temp / "dir"));
    EXPECT_EQ(Read(target), "new\r\n");
    EXPECT_EQ(Names(temp.Path()).size(), 2u); // no temporary file left behind
}

TEST(FilesWin32, ReadOnlyFilesAreDeletedByForceAndWithTheirTree) {
    TempFolder temp;
    const std::string file = temp / "1.rep";
    ASSERT_TRUE(WriteFileAtomic(file, "\r\n\r\n").ok);
    SetFileAttributesW(win32::PathToWide(file).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(RemoveFileForce(file));
    EXPECT_FALSE(FileExists(file));

    ASSERT_TRUE(CreateDirectories(temp / "3\\1"));
    ASSERT_TRUE(WriteFileAtomic(temp / "3\\1\\2.rep", "x").ok);
    SetFileAttributesW(win32::PathToWide(temp / "3\\1\\2.rep").c_str(),
                       FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(win32::PathToWide(temp / "3\\1").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(DeleteTreeNoFollow(temp / "3"));
    EXPECT_FALSE(DirExists(temp / "3"));
}

TEST(FilesWin32, RenameRefusesToReplaceAndIdentityFollowsTheDirectory) {
    TempFolder temp;
    ASSERT_TRUE(CreateDirectories(temp / "1"));
    ASSERT_TRUE(CreateDirectories(temp / "2"));
    EXPECT_FALSE(RenamePath(temp / "1", temp / "2"));
    EXPECT_TRUE(RenamePath(temp / "1", temp / "3"));
    const auto a = GetDirIdentity(temp / "3");
    const auto b = GetDirIdentity(temp / "3\\.\\");
    const auto c = GetDirIdentity(temp / "2");
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(*a, *b);
    EXPECT_FALSE(*a == *c);
    EXPECT_FALSE(GetDirIdentity(temp / "missing").has_value());
}

// Polish and Chinese letters in the folder names, and a folder named with two fullwidth full
// stops (best-fit would make it ".."): every name reaches the system exactly, and deleting the
// folder holding it deletes nothing beside it.
TEST(FilesWin32, NamesOutsideTheCodePageStayExact) {
    TempFolder temp;
    const std::string root = temp / "\xC5\x81ukasz \xE4\xB8\xAD\xE6\x96\x87\\";
    const std::string dots = "\xEF\xBC\x8E\xEF\xBC\x8E";
    ASSERT_TRUE(CreateDirectories(root + "1\\" + dots));
    ASSERT_TRUE(WriteFileAtomic(root + "1\\" + dots + "\\1.rep", "\r\n\r\n").ok);
    ASSERT_TRUE(WriteFileAtomic(root + "1\\index.sub", "").ok);
    ASSERT_TRUE(WriteFileAtomic(root + "index.sub", "FOLDER_1?F\r\nREPLY_1?Kept\r\n").ok);
    ASSERT_TRUE(WriteFileAtomic(root + "1.rep", "kept\r\n\r\n").ok);
    EXPECT_EQ(Names(root + "1"), (std::vector<std::wstring>{L"index.sub", L"\xFF0E\xFF0E"}));
    EXPECT_EQ(Read(root + "1.rep"), "kept\r\n\r\n");

    fakes::RecordingMessageBoxes boxes;
    ReplyTree tree;
    ListModel hotKeys, macros;
    TRepList list(tree, hotKeys, macros, &boxes);
    list.SetLibraryRoot(root);
    LoadReplyLibrary(list);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_TRUE(boxes.shown.empty());
    TRep* folder = tree.FirstNode()->Data();
    ASSERT_TRUE(list.DeleteFromDisk(folder).Ok());
    EXPECT_FALSE(DirExists(root + "1"));
    EXPECT_EQ(Read(root + "1.rep"), "kept\r\n\r\n");
    EXPECT_EQ(Read(root + "index.sub"), "REPLY_1?Kept\r\n");
    EXPECT_FALSE(DeleteTreeNoFollow(temp / "\xC3\x28")) << "not UTF-8: names nothing";
}

// One listing gives what the startup index compares: sizes, and last-write times that a rename
// keeps and the system's own clock sets.
TEST(FilesWin32, ListingGivesSizesAndLastWriteTimes) {
    TempFolder temp;
    const std::string dir = temp / "\xC5\x81ist";
    ASSERT_TRUE(CreateDirectories(dir + "\\sub"));
    ASSERT_TRUE(WriteFileAtomic(dir + "\\1.rep", "abc\r\n\r\n").ok);
    ASSERT_TRUE(WriteFileAtomic(dir + "\\\xC5\x81.rep", "").ok);
    HANDLE f = CreateFileW(win32::PathToWide(dir + "\\1.rep").c_str(), FILE_WRITE_ATTRIBUTES, 0,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    const FILETIME stamp{0x89ABCDEFu, 0x01D9F123u};
    ASSERT_TRUE(SetFileTime(f, nullptr, nullptr, &stamp));
    CloseHandle(f);
    ASSERT_TRUE(RenamePath(dir + "\\1.rep", dir + "\\2.rep"));

    const auto listing = ListFolder(dir);
    ASSERT_TRUE(listing);
    std::vector<std::string> seen;
    for (const FolderEntry& e : *listing) {
        seen.push_back(e.name + (e.isDir ? "/" : " " + std::to_string(e.size)));
        if (e.name == "2.rep") {
            EXPECT_EQ(e.writeTime, 0x01D9F12389ABCDEFull);
        }
        // What a save checks against what the load listed: any difference reads as a change
        // made elsewhere.
        const auto one = StatFile(dir + "\\" + e.name);
        EXPECT_EQ(
            one ? one->name + " " + std::to_string(one->size) + " " + std::to_string(one->writeTime)
                : std::string("dir"),
            e.isDir ? "dir"
                    : e.name + " " + std::to_string(e.size) + " " + std::to_string(e.writeTime));
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::string>{"2.rep 7", "sub/", "\xC5\x81.rep 0"}));
    const auto empty = ListFolder(dir + "\\sub");
    EXPECT_TRUE(empty && empty->empty());
    EXPECT_FALSE(ListFolder(dir + "\\missing"));
}

TEST(FilesWin32, LibraryLoadsWithBackslashPathsAndReportsThem) {
    TempFolder temp;
    ASSERT_TRUE(WriteFileAtomic(temp / "index.sub", "FOLDER_1?F\r\nREPLY_2?Gone\r\n").ok);
    ASSERT_TRUE(CreateDirectories(temp / "1"));
    ASSERT_TRUE(WriteFileAtomic(temp / "1\\index.sub", "REPLY_1?Hello\r\n").ok);
    ASSERT_TRUE(WriteFileAtomic(temp / "1\\1.rep", "hi\r\n1H\r\n{\\rtf1 x}\r\n").ok);
    fakes::RecordingMessageBoxes boxes;
    ReplyTree tree;
    ListModel hotKeys, macros;
    TRepList list(tree, hotKeys, macros, &boxes);
    list.SetLibraryRoot(temp.Path());
    LoadReplyLibrary(list);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(boxes.Errors(),
              std::vector<std::string>{"File \"" + (temp / "2.rep") + "\" can't be opened."});
    TRep* hello = tree.FirstNode()->FirstChild()->Data();
    EXPECT_EQ(hello->FullPath(), temp / "1\\1.rep");
    ASSERT_TRUE(list.RenameItem(hello, "Hi there").Ok());
    EXPECT_EQ(Read(temp / "1\\index.sub"), "REPLY_1?Hi there\r\n");
    TRep* folder = tree.FirstNode()->Data();
    ASSERT_TRUE(list.DeleteFromDisk(folder).Ok());
    list.RemoveSubtree(folder->Node);
    EXPECT_FALSE(DirExists(temp / "1"));
    EXPECT_EQ(Read(temp / "index.sub"), "REPLY_2?Gone\r\n");
}

} // namespace
} // namespace tw
