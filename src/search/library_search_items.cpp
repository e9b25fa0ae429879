#include "search/library_search_items.h"

#include "expansion/rtf_plain_text.h"
#include "library/hot_key.h"
#include "library/rep.h"
#include "library/rep_list.h"
#include "library/text_lines.h"
#include "platform/files.h"

#include <unordered_map>

namespace tw {
namespace {

std::string FolderCaptions(const TreeNode* node) {
    std::string path;
    for (const TreeNode* p = node->Parent(); p; p = p->Parent()) {
        path = path.empty() ? p->Caption() : p->Caption() + " / " + path;
    }
    return path;
}

// Each reply's entry of an index, read in one pass: finding each reply's entry by itself costs
// a search under the locale's collation per reply.
std::unordered_map<const TRep*, const std::string*> EntriesOf(const TRepIndexList& index) {
    std::unordered_map<const TRep*, const std::string*> entries;
    entries.reserve(static_cast<std::size_t>(index.Count()));
    for (int i = 0; i < index.Count(); ++i) {
        entries.emplace(index.Rep(i), &index.Get(i));
    }
    return entries;
}

} // namespace

std::string SearchKeyOf(const TRepList& library, const TRep& reply) {
    const std::string path = reply.FullPath();
    const std::string& root = library.LibraryRoot();
    return path.compare(0, root.size(), root) == 0 ? path.substr(root.size()) : path;
}

LibrarySearchItems SearchItemsOf(const TRepList& library) {
    LibrarySearchItems out;
    const auto macros = EntriesOf(library.Macros);
    const auto hotKeys = EntriesOf(library.HotKeys);
    const std::string& root = library.LibraryRoot();
    // A folder's replies come one after another: its path and captions are made once for them.
    const TreeNode* folderOf = nullptr;
    bool folderKnown = false;
    std::string folderPath, folderCaptions;
    for (TreeNode* node = library.Tree.FirstNode(); node;
         node = ReplyTree::NextInDisplayOrder(node)) {
        TRep* reply = node->Data();
        if (!reply || reply->IsFolder()) {
            continue;
        }
        if (!folderKnown || node->Parent() != folderOf) {
            folderKnown = true;
            folderOf = node->Parent();
            folderPath = WithSeparator(reply->ParentFolderPath());
            folderCaptions = FolderCaptions(node);
        }
        SearchItem item;
        // As SearchKeyOf gives it.
        item.key = folderPath + reply->FileName;
        if (item.key.compare(0, root.size(), root) == 0) {
            item.key.erase(0, root.size());
        }
        item.name = node->Caption();
        if (const auto macro = macros.find(reply); macro != macros.end()) {
            item.macro = *macro->second;
        }
        if (const auto hotKey = hotKeys.find(reply); hotKey != hotKeys.end()) {
            item.hotKey = HotKeyText(*hotKey->second);
        }
        item.folder = folderCaptions;
        out.items.push_back(std::move(item));
        out.replies.push_back(reply);
    }
    return out;
}

std::string SearchTextOf(const TRepList& library, TRep* reply) {
    return RtfToPlainText(JoinLines(library.BodyOf(reply)));
}

} // namespace tw
