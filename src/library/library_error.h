#pragma once
// The texts the library's failures and load problems are told with. A failed write comes back
// as a LibraryResult (library_result.h); load problems are gathered and shown in one message.
#include "library/library_result.h"

#include <string>
#include <vector>

namespace tw {

// The program's message texts, with the path in place of %s.
std::string CantOpenMessage(const std::string& path); // File "%s" can't be opened.
std::string
IncorrectStructureMessage(const std::string& path); // File "%s" has incorrect structure.
// A name typed with characters the library's files cannot hold; name is UTF-8, may be empty.
std::string UnstorableNameMessage(const std::string& name);
// Several problems in one message: the first few in full, then how many more there were.
std::string LoadProblemsMessage(const std::vector<std::string>& problems);

} // namespace tw
