#include "library/collation.h"
#include "library/hot_key.h"
#include "library/index_line.h"
#include "library/library_error.h"
#include "library/pending_change.h"
#include "library/rep_list.h"
#include "library/text_lines.h"
#include "platform/file_system.h"

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

std::string TRepList::IndexPathOf(const TRep* item) const {
    return WithSeparator(item->ParentFolderPath()) + kIndexFileName;
}

LibraryResult<> TRepList::CheckPathsInsideLibrary(const TRep* item) const {
    if (LibraryRoot().empty()) {
        return Failed("The library folder is not set.");
    }
    const bool ownOk =
        item->IsFolder() ? IsValidId(item->FolderId) : IsValidReplyFileName(item->FileName);
    bool ok = ownOk;
    for (TreeNode* p = item->Node ? item->Node->Parent() : nullptr; ok && p; p = p->Parent()) {
        const TRep* rep = p->Data();
        ok = rep && rep->IsFolder() && IsValidId(rep->FolderId);
    }
    if (!ok) {
        return Failed("\"" + item->Caption() + "\" has no valid place in the library.");
    }
    return {};
}

LibraryResult<TRepList::SaveState> TRepList::SaveReply(TRep* item) {
    if (item->IsFolder()) {
        return SaveState::Saved;
    }
    if (auto r = CheckPathsInsideLibrary(item); !r) {
        return r.Failure();
    }
    if (auto r = store_.Settle(); !r) {
        return r.Failure();
    }
    // A file that has gone is written again: there is nothing to overwrite.
    if (store_.Check(item->FullPath()) == DiskState::Changed) {
        return SaveState::ChangedElsewhere;
    }
    if (auto r = WriteReply(item); !r) {
        return r.Failure();
    }
    return SaveState::Saved;
}

LibraryResult<TRep*> TRepList::KeepMine(TRep* item) {
    if (auto r = CheckPathsInsideLibrary(item); !r) {
        return r.Failure();
    }
    if (auto r = store_.Settle(); !r) {
        return r.Failure();
    }
    std::string theirs;
    TRep* copy = nullptr;
    if (Files().ReadFileBytes(item->FullPath(), theirs, kMaxLibraryFileBytes) == ReadStatus::Ok) {
        // Theirs is safe in its own file before ours replaces it.
        const std::string indexPath = IndexPathOf(item);
        std::string raw;
        auto read = store_.Read(indexPath, &raw);
        if (!read) {
            return read.Failure();
        }
        const std::string dir = WithSeparator(item->ParentFolderPath());
        const std::string id = NextFreeReplyId(dir, Files());
        const std::string name = OneLine(item->Caption() + kChangedElsewhereSuffix);
        read.Value().push_back(MakeIndexLine(kReplyKind, id, name));
        DiskChange change;
        change.Write(dir + id + kReplyExtension, std::move(theirs), std::nullopt);
        change.Write(indexPath, JoinLines(read.Value()), std::move(raw));
        if (auto r = ApplyChange(change); !r) {
            return r.Failure();
        }
        const int position = LoadReplyFile(dir + id + kReplyExtension, name, item->Node->Parent());
        copy = position >= 0 ? At(position) : nullptr;
    }
    if (auto r = WriteReply(item); !r) {
        return r.Failure();
    }
    return copy;
}

LibraryResult<> TRepList::TakeTheirs(TRep* item) {
    const std::string path = item->FullPath();
    auto read = store_.Read(path);
    if (!read) {
        return read.Failure();
    }
    std::vector<std::string>& lines = read.Value();
    if (lines.size() < 2) {
        return Failed(IncorrectStructureMessage(path));
    }
    SetMacro(item, lines[0]);
    SetHotKey(item, IsHotKeyLine(lines[1]) ? lines[1] : std::string());
    item->body_.assign(std::make_move_iterator(lines.begin() + 2),
                       std::make_move_iterator(lines.end()));
    item->bodyOnDisk_ = false;
    store_.SawNow(path);
    return {};
}

LibraryResult<> TRepList::WriteReply(TRep* item) {
    // A text that cannot be read must not be written back empty.
    if (item->bodyOnDisk_ && !ReadBody(item)) {
        return Failed(CantOpenMessage(item->FullPath()));
    }
    std::vector<std::string> lines;
    lines.reserve(item->body_.size() + 2);
    const int macro = MacroIndexOf(item);
    const int hotKey = HotKeyIndexOf(item);
    lines.push_back(macro >= 0 ? OneLine(Macros.Get(macro)) : std::string());
    lines.push_back(hotKey >= 0 ? OneLine(HotKeys.Get(hotKey)) : std::string());
    lines.insert(lines.end(), item->body_.begin(), item->body_.end());
    return store_.Write(item->FullPath(), lines);
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

// Lines after the first that name the item's kind and id are skipped at load, so they describe
// nothing; left behind when the item's file goes away, one would name a missing file, or the next
// item to take that number, at the next start. An item's change drops them.
void TRepList::DropDuplicateLines(const TRep* item, std::vector<std::string>& lines) const {
    const int first = FindLineById(item, lines);
    if (first < 0) {
        return;
    }
    const std::string id = IdOf(item);
    const std::string kind = KindOf(item);
    std::erase_if(lines, [&, at = 0](const std::string& line) mutable {
        const IndexLine parts = SplitIndexLine(line);
        return at++ > first && SameTextAscii(parts.kind, kind) && SameTextAscii(parts.id, id);
    });
}

LibraryResult<> TRepList::RenameInIndex(TRep* item, const std::string& newName,
                                        DiskChange& change) {
    if (auto r = CheckPathsInsideLibrary(item); !r) {
        return r;
    }
    const std::string indexPath = IndexPathOf(item);
    std::string raw;
    auto read = store_.Read(indexPath, &raw);
    if (!read) {
        return read.Failure();
    }
    std::vector<std::string>& lines = read.Value();
    DropDuplicateLines(item, lines);
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
    change.Write(indexPath, JoinLines(lines), std::move(raw));
    return {};
}

LibraryResult<> TRepList::RenameItem(TRep* item, const std::string& newName) {
    if (newName.empty()) {
        return {};
    }
    if (auto r = store_.Settle(); !r) {
        return r;
    }
    const std::string name = OneLine(newName);
    TreeNode* parent = item->Node->Parent();
    const bool namesFolder = !item->IsFolder() && parent && parent->Caption() == "New Folder";
    DiskChange change;
    auto r = RenameInIndex(item, name, change);
    if (r && namesFolder) {
        r = RenameInIndex(parent->Data(), name + " Folder", change);
    }
    if (r) {
        r = ApplyChange(change);
    }
    if (!r) {
        return r;
    }
    Tree.SetCaption(item->Node, name);
    if (namesFolder) {
        Tree.SetCaption(parent, name + " Folder");
    }
    return {};
}

LibraryResult<> TRepList::DeleteFromDisk(TRep* item) {
    if (auto r = CheckPathsInsideLibrary(item); !r) {
        return r;
    }
    if (auto r = store_.Settle(); !r) {
        return r;
    }
    const std::string indexPath = IndexPathOf(item);
    std::string raw;
    auto read = store_.Read(indexPath, &raw);
    if (!read) {
        return read.Failure();
    }
    std::vector<std::string>& lines = read.Value();
    DropDuplicateLines(item, lines);
    const int line = FindLineById(item, lines);
    if (line >= 0) {
        lines.erase(lines.begin() + line);
    }
    // The index goes first: should it fail, the item is still listed and still there.
    DiskChange change;
    change.Write(indexPath, JoinLines(lines), std::move(raw));
    change.Remove(item->IsFolder() ? item->FolderPath() : item->FullPath());
    return ApplyChange(change);
}

LibraryResult<TreeNode*> TRepList::FolderForNewItem(TRep* selected, std::string& dir) const {
    TreeNode* parentNode = selected && selected->Node ? selected->Node->Parent() : nullptr;
    if (!parentNode) {
        dir = LibraryRoot();
        return static_cast<TreeNode*>(nullptr);
    }
    if (auto r = CheckPathsInsideLibrary(parentNode->Data()); !r) {
        return r.Failure();
    }
    dir = WithSeparator(parentNode->Data()->FolderPath());
    return parentNode;
}

// The receiving folder and its index, read, for an add command.
struct TRepList::NewItemPlace {
    TreeNode* parentNode = nullptr;
    std::string dir;
    std::string indexPath;
    std::string raw;
    std::vector<std::string> lines;
};

LibraryResult<TRepList::NewItemPlace> TRepList::PlaceForNewItem(TRep* selected) {
    NewItemPlace place;
    auto folder = FolderForNewItem(selected, place.dir);
    if (!folder) {
        return folder.Failure();
    }
    place.parentNode = folder.Value();
    if (auto r = store_.Settle(); !r) {
        return r.Failure();
    }
    place.indexPath = place.dir + kIndexFileName;
    auto read = store_.Read(place.indexPath, &place.raw);
    if (!read) {
        return read.Failure();
    }
    place.lines = std::move(read.Value());
    return place;
}

LibraryResult<TRep*> TRepList::AddNewReply(TRep* selected) {
    auto place = PlaceForNewItem(selected);
    if (!place) {
        return place.Failure();
    }
    auto& [parentNode, dir, indexPath, raw, lines] = place.Value();
    const std::string id = NextFreeReplyId(dir, Files());
    const std::string replyPath = dir + id + kReplyExtension;
    lines.push_back(MakeIndexLine(kReplyKind, id, "New Reply"));
    DiskChange change;
    change.Write(replyPath, JoinLines({"", ""}), std::nullopt);
    change.Write(indexPath, JoinLines(lines), std::move(raw));
    if (auto r = ApplyChange(change); !r) {
        return r.Failure();
    }
    const int position = LoadReplyFile(replyPath, "New Reply", parentNode);
    return position >= 0 ? At(position) : nullptr;
}

LibraryResult<TRep*> TRepList::AddNewFolder(TRep* selected) {
    auto place = PlaceForNewItem(selected);
    if (!place) {
        return place.Failure();
    }
    auto& [parentNode, dir, indexPath, raw, lines] = place.Value();
    const std::string id = NextFreeFolderId(dir, Files());
    const std::string folderDir = dir + id;
    const std::string inner = folderDir + kPathSep;
    const std::string replyId = NextFreeReplyId(inner, Files());
    lines.push_back(MakeIndexLine(kFolderKind, id, "New Folder"));
    DiskChange change;
    change.MakeDir(folderDir);
    change.Write(inner + replyId + kReplyExtension, JoinLines({"", ""}), std::nullopt);
    change.Write(inner + kIndexFileName,
                 JoinLines({MakeIndexLine(kReplyKind, replyId, "New Reply")}), std::nullopt);
    change.Write(indexPath, JoinLines(lines), std::move(raw));
    if (auto r = ApplyChange(change); !r) {
        return r.Failure();
    }
    TRep* folder = At(AddItem("New Folder", parentNode));
    folder->FolderId = id;
    LoadReplyFile(inner + replyId + kReplyExtension, "New Reply", folder->Node);
    return folder;
}

} // namespace tw
