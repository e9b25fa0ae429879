#pragma once
// The library's replies as the search takes them: in the tree's order, each with its name,
// macro (or hot key, when it has no macro), folder captions and key. Texts are read apart, one
// reply at a time, so that a large library is searchable by name at once.
#include "search/reply_search.h"

#include <string>
#include <vector>

namespace tw {

class TRep;
class TRepList;

struct LibrarySearchItems {
    std::vector<SearchItem> items;
    std::vector<TRep*> replies; // the reply of each item
};

LibrarySearchItems SearchItemsOf(const TRepList& library);

// The reply's path below the library root: it names the reply across restarts.
std::string SearchKeyOf(const TRepList& library, const TRep& reply);

// What the reply says, as plain text; empty when its file cannot be read.
std::string SearchTextOf(const TRepList& library, TRep* reply);

} // namespace tw
