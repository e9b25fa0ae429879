#pragma once
// Failures of the library's write operations (saving a reply, renaming, moving, deleting,
// adding). The operation stops where it failed and throws this; the command boundary catches
// it and shows what() in the standard error box. Load problems are not thrown: the load goes on
// and shows them together in one message at its end.
#include <stdexcept>
#include <string>
#include <vector>

namespace tw {

class LibraryError : public std::runtime_error {
public:
    explicit LibraryError(const std::string& message) : std::runtime_error(message) {}
};

// The program's message texts, with the path in place of %s.
std::string CantOpenMessage(const std::string& path); // File "%s" can't be opened.
std::string
IncorrectStructureMessage(const std::string& path); // File "%s" has incorrect structure.
// A name typed with characters the library's files cannot hold; name is UTF-8, may be empty.
std::string UnstorableNameMessage(const std::string& name);
// Several problems in one message: the first few in full, then how many more there were.
std::string LoadProblemsMessage(const std::vector<std::string>& problems);

} // namespace tw
