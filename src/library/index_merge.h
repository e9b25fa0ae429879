#pragma once
// Two writers of one "index.sub": the lines we changed since we read it (added, removed, renamed,
// moved) are carried over onto what is on disk now, line by line. Lines are matched by kind and
// id, never by position. Where both sides changed the same line the disk wins; a line of ours is
// placed after the line it followed in our version when that line is still there.
#include <string>
#include <vector>

namespace tw {

std::vector<std::string> MergeIndexLines(const std::vector<std::string>& base,
                                         const std::vector<std::string>& ours,
                                         const std::vector<std::string>& theirs);

} // namespace tw
