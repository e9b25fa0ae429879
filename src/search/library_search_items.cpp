#include "search/library_search_items.h"

#include "expansion/rtf_plain_text.h"
#include "library/hot_key.h"
#include "library/rep.h"
#include "library/rep_list.h"
#include "library/text_lines.h"

namespace tw {
namespace {

std::string FolderCaptions(const TreeNode* node) {
    std::string path;
    for (const TreeNode* p = node->Parent(); p; p = p->Parent()) {
        path = path.empty() ? p->Caption() : p->Caption() + " / " + path;
    }
    return path;
}

} // namespace

std::string SearchKeyOf(const TRepList& library, const TRep& reply) {
    const std::string path = reply.FullPath();
    const std::string& root = library.LibraryRoot();
    return path.compare(0, root.size(), root) == 0 ? path.substr(root.size()) : path;
}

LibrarySearchItems SearchItemsOf(const TRepList& library) {
    LibrarySearchItems out;
    for (TreeNode* node = library.Tree.FirstNode(); node;
         node = ReplyTree::NextInDisplayOrder(node)) {
        TRep* reply = node->Data();
        if (!reply || reply->IsFolder()) {
            continue;
        }
        SearchItem item;
        item.key = SearchKeyOf(library, *reply);
        item.name = node->Caption();
        const int macro = library.MacroIndexOf(reply);
        const int hotKey = library.HotKeyIndexOf(reply);
        if (macro >= 0) {
            item.macro = library.Macros.Get(macro);
        }
        if (hotKey >= 0) {
            item.hotKey = HotKeyText(library.HotKeyAt(hotKey));
        }
        item.folder = FolderCaptions(node);
        out.items.push_back(std::move(item));
        out.replies.push_back(reply);
    }
    return out;
}

std::string SearchTextOf(const TRepList& library, TRep* reply) {
    return RtfToPlainText(JoinLines(library.BodyOf(reply)));
}

} // namespace tw
