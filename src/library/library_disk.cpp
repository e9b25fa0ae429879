#include "library/collation.h"
#include "library/index_line.h"
#include "library/library_error.h"
#include "library/rep_list.h"
#include "library/text_lines.h"
#include "platform/files.h"

namespace tw {

namespace {

// A file line or an index line must stay one line, whatever text it was given.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return text;
}

std::string KindOf(const TRep* item) {
    return item->IsFolder() ? kFolderKind : kReplyKind;
}

std::string IdOf(const TRep* item) {
    return item->IsFolder() ? item->FolderId : NameWithoutExtension(item->FileName);
}

} // namespace

std::string NextFreeReplyId(const std::string& dir) {
    for (long n = 1;; ++n) {
        const std::string id = std::to_string(n);
        const std::string path = dir + id + kReplyExtension;
        if (!FileExists(path) && !DirExists(path)) {
            return id;
        }
    }
}

std::string NextFreeFolderId(const std::string& dir) {
    for (long n = 1;; ++n) {
        const std::string id = std::to_string(n);
        if (!DirExists(dir + id) && !FileExists(dir + id)) {
            return id;
        }
    }
}

std::string TRepList::IndexPathOf(const TRep* item) const {
    return WithSeparator(item->ParentFolderPath()) + kIndexFileName;
}

void TRepList::CheckPathsInsideLibrary(const TRep* item) const {
    if (libraryRoot_.empty()) {
        throw LibraryError("The library folder is not set.");
    }
    const bool ownOk =
        item->IsFolder() ? IsValidId(item->FolderId) : IsValidReplyFileName(item->FileName);
    bool ok = ownOk;
    for (TreeNode* p = item->Node ? item->Node->Parent() : nullptr; ok && p; p = p->Parent()) {
        const TRep* rep = p->Data();
        ok = rep && rep->IsFolder() && IsValidId(rep->FolderId);
    }
    if (!ok) {
        throw LibraryError("\"" + item->Caption() + "\" has no valid place in the library.");
    }
}

void TRepList::SaveReply(TRep* item) {
    if (item->IsFolder()) {
        return;
    }
    CheckPathsInsideLibrary(item);
    std::vector<std::string> lines;
    lines.reserve(item->Body.size() + 2);
    const int macro = MacroIndexOf(item);
    const int hotKey = HotKeyIndexOf(item);
    lines.push_back(macro >= 0 ? OneLine(Macros.Get(macro)) : std::string());
    lines.push_back(hotKey >= 0 ? OneLine(HotKeys.Get(hotKey)) : std::string());
    lines.insert(lines.end(), item->Body.begin(), item->Body.end());
    WriteLinesOrThrow(item->FullPath(), lines);
}

int TRepList::FindIndexLine(const TRep* item, const std::vector<std::string>& lines) const {
    const std::string id = IdOf(item);
    const std::string kind = KindOf(item);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const IndexLine parts = SplitIndexLine(lines[i]);
        if (SameTextAscii(parts.name, item->Caption()) && parts.kind == kind && parts.id == id) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// The line of an item whatever its name says: kind and id compared without case.
int TRepList::FindLineById(const TRep* item, const std::vector<std::string>& lines) const {
    const std::string id = IdOf(item);
    const std::string kind = KindOf(item);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const IndexLine parts = SplitIndexLine(lines[i]);
        if (SameTextAscii(parts.kind, kind) && SameTextAscii(parts.id, id)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TRepList::RenameInIndex(TRep* item, const std::string& newName) {
    CheckPathsInsideLibrary(item);
    const std::string indexPath = IndexPathOf(item);
    std::vector<std::string> lines = ReadLinesOrThrow(indexPath);
    int line = FindIndexLine(item, lines);
    if (line < 0) {
        line = FindLineById(item, lines);
    }
    if (line >= 0) {
        const IndexLine parts = SplitIndexLine(lines[static_cast<std::size_t>(line)]);
        lines[static_cast<std::size_t>(line)] = MakeIndexLine(parts.kind, parts.id, newName);
    } else {
        // Edited by hand: list the item again rather than lose it at the next start.
        lines.push_back(MakeIndexLine(KindOf(item), IdOf(item), newName));
    }
    WriteLinesOrThrow(indexPath, lines);
    Tree.SetCaption(item->Node, newName);
}

void TRepList::RenameItem(TRep* item, const std::string& newName) {
    if (newName.empty()) {
        return;
    }
    const std::string name = OneLine(newName);
    RenameInIndex(item, name);
    TreeNode* parent = item->Node->Parent();
    if (!item->IsFolder() && parent && parent->Caption() == "New Folder") {
        RenameInIndex(parent->Data(), name + " Folder");
    }
}

void TRepList::DeleteFromDisk(TRep* item) {
    CheckPathsInsideLibrary(item);
    const std::string indexPath = IndexPathOf(item);
    std::vector<std::string> lines = ReadLinesOrThrow(indexPath);
    const int line = FindLineById(item, lines);
    if (line >= 0) {
        lines.erase(lines.begin() + line);
    }
    // The index goes first: should it fail, the item is still listed and still there.
    WriteLinesOrThrow(indexPath, lines);
    if (item->IsFolder()) {
        DeleteTreeNoFollow(item->FolderPath());
    } else {
        RemoveFileForce(item->FullPath());
    }
}

TreeNode* TRepList::FolderForNewItem(TRep* selected, std::string& dir) const {
    TreeNode* parentNode = selected && selected->Node ? selected->Node->Parent() : nullptr;
    if (!parentNode) {
        dir = libraryRoot_;
        return nullptr;
    }
    CheckPathsInsideLibrary(parentNode->Data());
    dir = WithSeparator(parentNode->Data()->FolderPath());
    return parentNode;
}

TRep* TRepList::AddNewReply(TRep* selected) {
    std::string dir;
    TreeNode* parentNode = FolderForNewItem(selected, dir);
    const std::string indexPath = dir + kIndexFileName;
    std::vector<std::string> lines = ReadLinesOrThrow(indexPath);
    const std::string id = NextFreeReplyId(dir);
    const std::string replyPath = dir + id + kReplyExtension;
    WriteLinesOrThrow(replyPath, {"", ""});
    lines.push_back(MakeIndexLine(kReplyKind, id, "New Reply"));
    try {
        WriteLinesOrThrow(indexPath, lines);
    } catch (...) {
        RemoveFileForce(replyPath);
        throw;
    }
    const int position = LoadReplyFile(replyPath, "New Reply", parentNode);
    return position >= 0 ? At(position) : nullptr;
}

TRep* TRepList::AddNewFolder(TRep* selected) {
    std::string dir;
    TreeNode* parentNode = FolderForNewItem(selected, dir);
    const std::string indexPath = dir + kIndexFileName;
    std::vector<std::string> lines = ReadLinesOrThrow(indexPath);
    const std::string id = NextFreeFolderId(dir);
    const std::string folderDir = dir + id;
    if (!CreateDirectories(folderDir)) {
        throw LibraryError("Directory \"" + folderDir + "\" can't be created.");
    }
    const std::string inner = folderDir + kPathSep;
    const std::string replyId = NextFreeReplyId(inner);
    try {
        WriteLinesOrThrow(inner + replyId + kReplyExtension, {"", ""});
        WriteLinesOrThrow(inner + kIndexFileName,
                          {MakeIndexLine(kReplyKind, replyId, "New Reply")});
        lines.push_back(MakeIndexLine(kFolderKind, id, "New Folder"));
        WriteLinesOrThrow(indexPath, lines);
    } catch (...) {
        DeleteTreeNoFollow(folderDir);
        throw;
    }
    TRep* folder = At(AddItem("New Folder", parentNode));
    folder->FolderId = id;
    LoadReplyFile(inner + replyId + kReplyExtension, "New Reply", folder->Node);
    return folder;
}

} // namespace tw
