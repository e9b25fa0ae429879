// The file boundary against the real Windows API: atomic replace, forced deletes, links, and
// ANSI paths with non-ASCII characters.
#include "fakes/recording_message_boxes.h"
#include "library/rep_list.h"
#include "platform/files.h"
#include "platform/win32/ansi_path.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace tw {
namespace {

class TempFolder {
public:
    TempFolder() {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        path_ = win32::WideToAnsi(base) + "tw-files-" + std::to_string(GetCurrentProcessId()) +
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
    HANDLE find = FindFirstFileW(win32::AnsiToWide(dir + "\\*").c_str(), &fd);
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
    SetFileAttributesW(win32::AnsiToWide(file).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(RemoveFileForce(file));
    EXPECT_FALSE(FileExists(file));

    ASSERT_TRUE(CreateDirectories(temp / "3\\1"));
    ASSERT_TRUE(WriteFileAtomic(temp / "3\\1\\2.rep", "x").ok);
    SetFileAttributesW(win32::AnsiToWide(temp / "3\\1\\2.rep").c_str(),
                       FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(win32::AnsiToWide(temp / "3\\1").c_str(), FILE_ATTRIBUTE_READONLY);
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

TEST(FilesWin32, NonAsciiAnsiPathsRoundTrip) {
    // A letter outside ASCII in the ANSI code page, whichever page the system uses.
    std::string letter;
    for (int byte = 0xC0; byte <= 0xFE && letter.empty(); ++byte) {
        const std::string candidate(1, static_cast<char>(byte));
        const std::wstring wide = win32::AnsiToWide(candidate);
        if (wide.size() == 1 && wide[0] > 0x7F && win32::WideToAnsi(wide) == candidate) {
            letter = candidate;
        }
    }
    ASSERT_FALSE(letter.empty()) << "code page " << GetACP();
    TempFolder temp;
    const std::string dir = temp / ("Caf" + letter);
    const std::string file = dir + "\\R" + letter + "sum" + letter + ".rep";
    ASSERT_TRUE(CreateDirectories(dir));
    ASSERT_TRUE(WriteFileAtomic(file, "macro\r\n0A\r\n").ok);
    EXPECT_TRUE(FileExists(file));
    EXPECT_EQ(Read(file), "macro\r\n0A\r\n");
    const std::wstring w = win32::AnsiToWide(letter);
    EXPECT_EQ(Names(dir), std::vector<std::wstring>{L"R" + w + L"sum" + w + L".rep"});
    EXPECT_TRUE(DeleteTreeNoFollow(dir));
    EXPECT_FALSE(DirExists(dir));
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
    list.RenameItem(hello, "Hi there");
    EXPECT_EQ(Read(temp / "1\\index.sub"), "REPLY_1?Hi there\r\n");
    TRep* folder = tree.FirstNode()->Data();
    list.DeleteFromDisk(folder);
    list.RemoveSubtree(folder->Node);
    EXPECT_FALSE(DirExists(temp / "1"));
    EXPECT_EQ(Read(temp / "index.sub"), "REPLY_2?Gone\r\n");
}

} // namespace
} // namespace tw
