#include "library/text_lines.h"

#include "library/library_error.h"
#include "platform/files.h"

namespace tw {

std::string CantOpenMessage(const std::string& path) {
    return "File \"" + path + "\" can't be opened.";
}

std::string IncorrectStructureMessage(const std::string& path) {
    return "File \"" + path + "\" has incorrect structure.";
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            continue;
        }
        lines.emplace_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < n && text[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < n) {
        lines.emplace_back(text.substr(start));
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

bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
    std::string bytes;
    lines.clear();
    if (ReadFileBytes(path, bytes, kMaxLibraryFileBytes) != ReadStatus::Ok) {
        return false;
    }
    lines = SplitLines(bytes);
    return true;
}

std::vector<std::string> ReadLinesOrThrow(const std::string& path) {
    std::vector<std::string> lines;
    if (!ReadLines(path, lines)) {
        throw LibraryError(CantOpenMessage(path));
    }
    return lines;
}

void WriteLinesOrThrow(const std::string& path, const std::vector<std::string>& lines) {
    const WriteResult r = WriteFileAtomic(path, JoinLines(lines));
    if (!r.ok) {
        throw LibraryError(r.error);
    }
}

} // namespace tw
