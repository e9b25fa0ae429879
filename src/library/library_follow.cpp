#include "library/library_follow.h"

#include "library/rep.h"
#include "library/reply_tree.h"

#include <algorithm>

namespace tw {

LibraryListing LibraryListing::Take(FileSystem& files, const std::string& root,
                                    FolderListings listed) {
    LibraryListing listing;
    listing.Walk(files, root, std::string(), 0, listed);
    return listing;
}

void LibraryListing::Walk(FileSystem& files, const std::string& root, const std::string& relative,
                          int depth, FolderListings& listed) {
    std::optional<std::vector<FolderEntry>> own;
    if (const auto known = listed.find(relative); known != listed.end()) {
        own = std::move(known->second);
    } else {
        own =
            files.ListFolder(relative.empty() && root.empty() ? std::string(".") : root + relative);
    }
    if (!own || depth > kMaxDepth) {
        return;
    }
    std::vector<Entry>& entries = folders_[relative];
    entries.reserve(own->size());
    for (FolderEntry& e : *own) {
        // A folder's own time changes with what is in it, which its own listing shows.
        entries.push_back(
            {std::move(e.name), e.isDir, e.isDir ? 0 : e.size, e.isDir ? 0 : e.writeTime});
    }
    // Listings come in the system's order, which need not stay the same.
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.name < b.name; });
    for (const Entry& e : entries) {
        if (e.isDir) {
            Walk(files, root, relative + e.name + kPathSep, depth + 1, listed);
        }
    }
}

std::set<std::string> LibraryListing::ChangedPaths(const LibraryListing& now) const {
    std::set<std::string> changed;
    const std::vector<Entry> none;
    auto compare = [&changed](const std::string& folder, const std::vector<Entry>& before,
                              const std::vector<Entry>& after) {
        // Both are sorted by name.
        auto b = before.begin();
        auto a = after.begin();
        while (b != before.end() || a != after.end()) {
            if (a == after.end() || (b != before.end() && b->name < a->name)) {
                changed.insert(folder + (b++)->name);
            } else if (b == before.end() || a->name < b->name) {
                changed.insert(folder + (a++)->name);
            } else {
                if (!(*b == *a)) {
                    changed.insert(folder + a->name);
                }
                ++a;
                ++b;
            }
        }
    };
    for (const auto& [folder, entries] : folders_) {
        const auto it = now.folders_.find(folder);
        if (it == now.folders_.end()) {
            changed.insert(folder);
        }
        compare(folder, entries, it == now.folders_.end() ? none : it->second);
    }
    for (const auto& [folder, entries] : now.folders_) {
        if (!folders_.contains(folder)) {
            changed.insert(folder);
            compare(folder, none, entries);
        }
    }
    return changed;
}

bool WriteTracker::Touched(const std::string& path) const {
    if (paths_.contains(path)) {
        return true;
    }
    const std::string asFolder = path.empty() || path.back() == kPathSep ? path : path + kPathSep;
    return std::any_of(trees_.begin(), trees_.end(),
                       [&asFolder](const std::string& tree) { return asFolder.starts_with(tree); });
}

void WriteTracker::Note(const std::string& path, bool tree) {
    if (root_.empty() || !path.starts_with(root_)) {
        return; // outside the library: nothing a listing of it shows
    }
    std::string relative = path.substr(root_.size());
    while (!relative.empty() && relative.back() == kPathSep) {
        relative.pop_back();
    }
    paths_.insert(relative);
    if (tree && !relative.empty()) {
        trees_.insert(relative + kPathSep);
    }
}

WriteResult WriteTracker::WriteFileAtomic(const std::string& path, const std::string& bytes) {
    Note(path, false);
    return inner_.WriteFileAtomic(path, bytes);
}

bool WriteTracker::CreateDirectories(const std::string& path) {
    Note(path, true);
    return inner_.CreateDirectories(path);
}

bool WriteTracker::RenamePath(const std::string& from, const std::string& to) {
    Note(from, true);
    Note(to, true);
    return inner_.RenamePath(from, to);
}

bool WriteTracker::RemoveFileForce(const std::string& path) {
    Note(path, false);
    return inner_.RemoveFileForce(path);
}

bool WriteTracker::DeleteTreeNoFollow(const std::string& path) {
    Note(path, true);
    return inner_.DeleteTreeNoFollow(path);
}

namespace {

std::string OwnId(const TreeNode* node) {
    const TRep* rep = node->Data();
    return !rep ? std::string() : rep->IsFolder() ? rep->FolderId : rep->FileName;
}

} // namespace

std::string NodeKey(const TreeNode* node) {
    std::string key;
    for (; node; node = node->Parent()) {
        key = key.empty() ? OwnId(node) : OwnId(node) + kPathSep + key;
    }
    return key;
}

TreeNode* NodeNearestKey(const ReplyTree& tree, const std::string& key) {
    TreeNode* found = nullptr;
    TreeNode* level = tree.FirstNode();
    for (std::size_t start = 0; !key.empty() && start <= key.size();) {
        const std::size_t end = std::min(key.find(kPathSep, start), key.size());
        const std::string id = key.substr(start, end - start);
        TreeNode* match = level;
        while (match && OwnId(match) != id) {
            match = match->NextSibling();
        }
        if (!match) {
            break;
        }
        found = match;
        level = match->FirstChild();
        start = end + 1;
    }
    return found;
}

} // namespace tw
