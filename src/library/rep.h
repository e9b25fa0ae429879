#pragma once
// One folder or reply of the library. Its place in the tree and its display name belong to its
// node; the TRep holds what links it to the disk and, for a reply, its text.
#include <cstddef>
#include <string>
#include <vector>

namespace tw {

class TreeNode;
class TRepList;

class TRep {
public:
    TreeNode* Node = nullptr; // not owned; its data pointer points back here
    std::string FileName;     // "<n>.rep" for a reply, empty for a folder
    std::string FolderId;     // "<n>" for a folder, empty for a reply

    bool IsFolder() const { return FileName.empty(); }
    const std::string& Caption() const;

    // Paths from the library root through the folder ids of the ancestors; captions play no part.
    std::string FolderPath() const;
    std::string ParentFolderPath() const;
    std::string FullPath() const;

    // Renames the item's file or directory to newPath and takes its last component as the id.
    // False (and nothing changed) when the rename fails.
    bool RenameOnDisk(const std::string& newPath);

private:
    friend class TRepList;
    const TRepList* owner_ = nullptr;
    std::size_t listPos_ = 0;
    std::vector<std::string> body_; // a reply's RTF source, line by line (TRepList::BodyOf)
    bool bodyOnDisk_ = false;       // loaded without its text, which is read when first asked for
};

} // namespace tw
