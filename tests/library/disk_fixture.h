#pragma once
// A library model bound to a temporary library folder.
#include "fakes/temp_dir.h"
#include "library/library_error.h"
#include "library/text_lines.h"
#include "model_fixture.h"
#include "platform/files.h"

#include <string>

namespace tw::testing {

struct DiskFixture : ModelFixture {
    fakes::TempDir temp;
    std::string root = temp.Root();

    DiskFixture() { list.SetLibraryRoot(root); }

    void Put(const std::string& relative, const std::string& bytes) { temp.Put(relative, bytes); }
    std::string Get(const std::string& relative) const { return temp.Get(relative); }
    bool Exists(const std::string& relative) const { return temp.Exists(relative); }
    // A path the way the core builds it.
    std::string P(const std::string& relative) const {
        std::string p = root + relative;
        for (char& c : p) {
            if (c == '/') {
                c = kPathSep;
            }
        }
        return p;
    }
    void Load() { LoadReplyLibrary(list); }

    // Depth in dots, caption, and for replies " #file" with " m=macro" / " k=code".
    std::string Shape() const {
        std::string out;
        for (TreeNode* n = tree.FirstNode(); n; n = ReplyTree::NextInDisplayOrder(n)) {
            const TRep* rep = n->Data();
            out += std::string(static_cast<std::size_t>(n->Level()), '.') + n->Caption();
            out += rep->IsFolder() ? " /" + rep->FolderId : " #" + rep->FileName;
            if (const int m = list.MacroIndexOf(rep); m >= 0) {
                out += " m=" + list.Macros.Get(m);
            }
            if (const int k = list.HotKeyIndexOf(rep); k >= 0) {
                out += " k=" + list.HotKeys.Get(k);
            }
            out += "\n";
        }
        return out;
    }

    TRep* Named(const std::string& caption) const {
        for (TreeNode* n = tree.FirstNode(); n; n = ReplyTree::NextInDisplayOrder(n)) {
            if (n->Caption() == caption) {
                return n->Data();
            }
        }
        ADD_FAILURE() << "no node " << caption;
        return nullptr;
    }
};

} // namespace tw::testing
