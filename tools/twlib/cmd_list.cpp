#include "commands.h"
#include "library/hot_key.h"
#include "loaded_library.h"

#include <ostream>

namespace tw::twlib {

int RunList(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1 || args[0].empty()) {
        return kExitBadArguments;
    }
    LoadedLibrary library(args[0], err);
    const TRepList& list = library.list;
    for (TreeNode* n = library.tree.FirstNode(); n; n = ReplyTree::NextInDisplayOrder(n)) {
        const TRep* rep = n->Data();
        out << std::string(static_cast<std::size_t>(n->Level()) * 2, ' ');
        out << (rep->IsFolder() ? "F " + rep->FolderId : "R " + rep->FileName) << ' '
            << n->Caption();
        if (const int m = list.MacroIndexOf(rep); m >= 0) {
            out << " [macro: " << list.Macros.Get(m) << ']';
        }
        if (const int k = list.HotKeyIndexOf(rep); k >= 0) {
            out << " [hotkey: " << HotKeyText(list.HotKeyAt(k)) << ']';
        }
        out << '\n';
    }
    out << "Macros:\n";
    for (int i = 0; i < list.Macros.Count(); ++i) {
        out << "  " << list.Macros.Get(i) << '\n';
    }
    out << "Hot keys:\n";
    for (int i = 0; i < list.HotKeyCount(); ++i) {
        out << "  " << HotKeyText(list.HotKeyAt(i)) << '\n';
    }
    return 0;
}

} // namespace tw::twlib
