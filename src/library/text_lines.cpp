#include "library/text_lines.h"

#include "library/library_error.h"
#include "platform/file_system.h"

#include <algorithm>
#include <cstring>

namespace tw {

std::string CantOpenMessage(const std::string& path) {
    return "File \"" + path + "\" can't be opened.";
}

std::string IncorrectStructureMessage(const std::string& path) {
    return "File \"" + path + "\" has incorrect structure.";
}

std::string UnstorableNameMessage(const std::string& name) {
    return "The name " + (name.empty() ? std::string() : "\"" + name + "\" ") +
           "holds characters that the library's code page cannot store; the name is not "
           "changed.";
}

std::string LoadProblemsMessage(const std::vector<std::string>& problems) {
    constexpr std::size_t kListed = 5;
    if (problems.size() == 1) {
        return problems.front();
    }
    std::string text = "The library was loaded with " + std::to_string(problems.size()) +
                       " problems; the items concerned are left out.";
    for (std::size_t i = 0; i < problems.size() && i < kListed; ++i) {
        text += "\n" + problems[i];
    }
    if (problems.size() > kListed) {
        text += "\n... and " + std::to_string(problems.size() - kListed) + " more.";
    }
    return text;
}

std::vector<std::string> SplitLines(std::string_view text, std::size_t maxLines) {
    std::vector<std::string> lines;
    if (maxLines == SIZE_MAX) {
        lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    }
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end && lines.size() < maxLines) {
        // memchr scans whole words at a time; library files are mostly long lines.
        const auto* lf =
            static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        const char* limit = lf ? lf : end;
        const auto* cr =
            static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(limit - p)));
        if (cr) {
            lines.emplace_back(p, cr);
            p = (cr + 1 == lf) ? lf + 1 : cr + 1;
        } else if (lf) {
            lines.emplace_back(p, lf);
            p = lf + 1;
        } else {
            lines.emplace_back(p, end);
            p = end;
        }
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const auto& l : lines) {
        size += l.size() + 2;
    }
    std::string out;
    out.reserve(size);
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

bool ReadLines(FileSystem& files, const std::string& path, std::vector<std::string>& lines,
               std::string& scratch, std::size_t maxLines) {
    lines.clear();
    if (files.ReadFileBytes(path, scratch, kMaxLibraryFileBytes) != ReadStatus::Ok) {
        return false;
    }
    lines = SplitLines(scratch, maxLines);
    return true;
}

LibraryResult<std::vector<std::string>> ReadAllLines(FileSystem& files, const std::string& path,
                                                     std::string* raw) {
    std::vector<std::string> lines;
    std::string scratch;
    if (!ReadLines(files, path, lines, scratch)) {
        return Failed(CantOpenMessage(path));
    }
    if (raw) {
        *raw = std::move(scratch);
    }
    return lines;
}

LibraryResult<> WriteAllLines(FileSystem& files, const std::string& path,
                              const std::vector<std::string>& lines) {
    const WriteResult r = files.WriteFileAtomic(path, JoinLines(lines));
    if (!r.ok) {
        return Failed(r.error);
    }
    return {};
}

std::uint64_t HashBytes(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    return hash;
}

} // namespace tw
