#include "library/index_line.h"

namespace tw {

IndexLine SplitIndexLine(const std::string& line) {
    IndexLine parts;
    const std::size_t underscore = line.find('_');
    const std::size_t question = line.find('?');
    if (underscore != std::string::npos) {
        parts.kind = line.substr(0, underscore + 1);
        if (question != std::string::npos && question > underscore) {
            parts.id = line.substr(underscore + 1, question - underscore - 1);
        }
    }
    if (question != std::string::npos) {
        parts.name = line.substr(question + 1);
    }
    return parts;
}

std::string MakeIndexLine(const std::string& kind, const std::string& id, const std::string& name) {
    return kind + id + "?" + name;
}

bool IsValidId(const std::string& id) {
    if (id.empty() || id.size() > 9) {
        return false;
    }
    bool nonZero = false;
    for (char c : id) {
        if (c < '0' || c > '9') {
            return false;
        }
        nonZero = nonZero || c != '0';
    }
    return nonZero;
}

bool IsValidReplyFileName(const std::string& fileName) {
    const std::string ext = kReplyExtension;
    return fileName.size() > ext.size() &&
           fileName.compare(fileName.size() - ext.size(), ext.size(), ext) == 0 &&
           IsValidId(fileName.substr(0, fileName.size() - ext.size()));
}

std::string NameWithoutExtension(const std::string& fileName) {
    const std::size_t last = fileName.find_last_of(":.\\");
    if (last != std::string::npos && fileName[last] == '.') {
        return fileName.substr(0, last);
    }
    return fileName;
}

} // namespace tw
