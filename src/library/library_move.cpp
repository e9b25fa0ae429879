#include "library/index_line.h"
#include "library/pending_change.h"
#include "library/rep_list.h"
#include "library/text_lines.h"
#include "platform/file_system.h"

namespace tw {

namespace {

std::vector<std::string>::iterator LinePosition(std::vector<std::string>& lines, int index) {
    return index >= 0 ? lines.begin() + index : lines.end();
}

std::string IdOfItem(const TRep* item) {
    return item->IsFolder() ? item->FolderId : NameWithoutExtension(item->FileName);
}

} // namespace

LibraryResult<> TRepList::MoveItem(TRep* item, TRep* target) {
    if (item == target || item->Node->IsAncestorOf(target->Node)) {
        return {}; // a folder cannot go inside itself
    }
    if (auto r = CheckPathsInsideLibrary(item); !r) {
        return r;
    }
    if (auto r = store_.Settle(); !r) {
        return r;
    }
    if (auto r = CheckPathsInsideLibrary(target); !r) {
        return r;
    }
    const std::string sourceIndex = IndexPathOf(item);
    const std::string destIndex = IndexPathOf(target);
    const std::string kind = item->IsFolder() ? kFolderKind : kReplyKind;

    if (sourceIndex == destIndex) {
        std::string raw;
        auto read = store_.Read(sourceIndex, &raw);
        if (!read) {
            return read.Failure();
        }
        std::vector<std::string>& lines = read.Value();
        DropDuplicateLines(item, lines);
        DropDuplicateLines(target, lines);
        int line = FindIndexLine(item, lines);
        if (line < 0) {
            line = FindLineById(item, lines);
        }
        const std::string taken = line >= 0 ? lines[static_cast<std::size_t>(line)]
                                            : MakeIndexLine(kind, IdOfItem(item), item->Caption());
        if (line >= 0) {
            lines.erase(lines.begin() + line);
        }
        int before = FindIndexLine(target, lines);
        if (before < 0) {
            before = FindLineById(target, lines);
        }
        lines.insert(LinePosition(lines, before), taken);
        DiskChange change;
        change.Write(sourceIndex, JoinLines(lines), std::move(raw));
        return ApplyChange(change);
    }

    const std::string dir = WithSeparator(target->ParentFolderPath());
    const std::string id =
        item->IsFolder() ? NextFreeFolderId(dir, Files()) : NextFreeReplyId(dir, Files());
    const std::string newPath = dir + id + (item->IsFolder() ? "" : kReplyExtension);
    std::string rawSource;
    std::string rawDest;
    auto readSource = store_.Read(sourceIndex, &rawSource);
    if (!readSource) {
        return readSource.Failure();
    }
    auto readDest = store_.Read(destIndex, &rawDest);
    if (!readDest) {
        return readDest.Failure();
    }
    std::vector<std::string>& source = readSource.Value();
    std::vector<std::string>& dest = readDest.Value();
    DropDuplicateLines(item, source);
    DropDuplicateLines(target, dest);
    int line = FindIndexLine(item, source);
    if (line < 0) {
        line = FindLineById(item, source);
    }
    int before = FindIndexLine(target, dest);
    if (before < 0) {
        before = FindLineById(target, dest);
    }
    const IndexLine parts = line >= 0 ? SplitIndexLine(source[static_cast<std::size_t>(line)])
                                      : IndexLine{kind, "", item->Caption()};
    if (line >= 0) {
        source.erase(source.begin() + line);
    }
    dest.insert(LinePosition(dest, before), MakeIndexLine(parts.kind, id, parts.name));

    // The file moves first: should that fail, no index claims it is anywhere else.
    DiskChange change;
    change.Rename(item->FullPath(), newPath);
    change.Write(destIndex, JoinLines(dest), std::move(rawDest));
    change.Write(sourceIndex, JoinLines(source), std::move(rawSource));
    if (auto r = ApplyChange(change); !r) {
        return r;
    }
    std::string& ownId = item->IsFolder() ? item->FolderId : item->FileName;
    ownId = newPath.substr(dir.size());
    return {};
}

} // namespace tw
