#pragma once
// A library loaded from a given file system, with its shape as text and a check that the disk
// holds exactly the files and folders the loaded library accounts for.
#include "fakes/memory_file_system.h"
#include "fakes/recording_message_boxes.h"
#include "library/index_line.h"
#include "library/rep_list.h"

#include <set>
#include <stdexcept>
#include <string>

namespace tw::fakes {

struct MemoryLibrary {
    ReplyTree tree;
    ListModel hotKeys;
    ListModel macros;
    RecordingMessageBoxes boxes;
    TRepList list{tree, hotKeys, macros, &boxes};

    // With a startup index file, the load uses and keeps it.
    MemoryLibrary(FileSystem& files, const std::string& root,
                  const std::string& startupIndex = {}) {
        list.SetFileSystem(files);
        list.SetLibraryRoot(root);
        list.SetStartupIndexFile(startupIndex);
        LoadReplyLibrary(list);
    }

    TRep* Named(const std::string& caption) const {
        for (TreeNode* n = tree.FirstNode(); n; n = ReplyTree::NextInDisplayOrder(n)) {
            if (n->Caption() == caption) {
                return n->Data();
            }
        }
        throw std::runtime_error("no item " + caption);
    }

    // Everything a user can see of the library, and where each item lives on disk.
    std::string Shape() const {
        std::string out;
        for (TreeNode* n = tree.FirstNode(); n; n = ReplyTree::NextInDisplayOrder(n)) {
            const TRep* rep = n->Data();
            out += std::string(static_cast<std::size_t>(n->Level()), '.') + n->Caption() + " " +
                   (rep->IsFolder() ? rep->FolderId + "/" : rep->FileName);
            if (const int m = list.MacroIndexOf(rep); m >= 0) {
                out += " m=" + list.Macros.Get(m);
            }
            if (const int k = list.HotKeyIndexOf(rep); k >= 0) {
                out += " k=" + list.HotKeys.Get(k);
            }
            for (const std::string& line : list.BodyOf(n->Data())) {
                out += " | " + line;
            }
            out += "\n";
        }
        return out;
    }

    // Files and directories below the root that the loaded library does not account for, and
    // those it needs that are missing, one per line; empty when the disk matches.
    std::string StrayPaths(const MemoryFileSystem& disk) const {
        const std::string root = list.LibraryRoot();
        std::set<std::string> want = {root + kIndexFileName, MemoryFileSystem::Trim(root) + "/"};
        for (TreeNode* n = tree.FirstNode(); n; n = ReplyTree::NextInDisplayOrder(n)) {
            const TRep* rep = n->Data();
            if (rep->IsFolder()) {
                want.insert(rep->FolderPath() + "/");
                want.insert(rep->FolderPath() + kPathSep + kIndexFileName);
            } else {
                want.insert(rep->FullPath());
            }
        }
        std::set<std::string> have;
        for (const auto& [path, bytes] : disk.files) {
            if (path.compare(0, root.size(), root) == 0) {
                have.insert(path);
            }
        }
        for (const auto& [path, id] : disk.dirs) {
            if ((path + kPathSep).compare(0, root.size(), root) == 0) {
                have.insert(path + "/");
            }
        }
        std::string out;
        for (const std::string& p : have) {
            out += want.count(p) ? "" : "stray " + p + "\n";
        }
        for (const std::string& p : want) {
            out += have.count(p) ? "" : "missing " + p + "\n";
        }
        return out;
    }
};

} // namespace tw::fakes
