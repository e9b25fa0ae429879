#include "generated_library.h"

#include "library/hot_key.h"
#include "library/text_lines.h"
#include "platform/files.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <fstream>
#include <random>
#include <stdexcept>

namespace tw::bench {

namespace {

constexpr int kSubFolders = 9;
constexpr int kRepliesPerFolder = 50;
constexpr const char* kExtraFolder = "999";

std::vector<std::string> ReplyBody(int n) {
    std::vector<std::string> body = {
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 "
        "Arial;}}",
        "\\viewkind4\\uc1\\pard\\f0\\fs20 Dear Name,\\par"};
    for (int i = 0; i < 11; ++i) {
        body.push_back(Cat("reply ", std::to_string(n), " paragraph ", std::to_string(i)) +
                       ": thank you for your message of %Date, we will answer soon.\\par");
    }
    body.push_back("}");
    return body;
}

// Plain writes: flushing 10,000 files to disk one by one would make the set-up take minutes.
void Write(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream out(path, std::ios::binary);
    out << JoinLines(lines);
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

} // namespace

GeneratedLibrary::GeneratedLibrary(int replyCount) {
    const int topFolders = std::max(1, replyCount / ((kSubFolders + 1) * kRepliesPerFolder));
    root = (std::filesystem::temp_directory_path() /
            (Cat("tw-bench-", std::to_string(std::random_device{}()))) / "")
               .string();
    std::filesystem::create_directories(root);
    int reply = 0;
    std::vector<std::string> rootLines;
    auto fillFolder = [&](const std::string& dir, std::vector<std::string>& index) {
        for (int r = 1; r <= kRepliesPerFolder; ++r, ++reply) {
            std::string macro;
            if (reply % 2 == 0) {
                macro = reply % 10 == 0 ? Cat("m", std::to_string(reply), "(Name,City)")
                                        : Cat("m", std::to_string(reply));
                macros.push_back(macro);
            }
            const std::string hotKey =
                reply < 72
                    ? EncodeHotKey(reply >= 36, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"[reply % 36])
                    : "";
            std::vector<std::string> lines = {macro, hotKey};
            const auto body = ReplyBody(reply);
            lines.insert(lines.end(), body.begin(), body.end());
            const std::string path = dir + std::to_string(r) + ".rep";
            Write(path, lines);
            bytes += JoinLines(lines).size();
            files.push_back(path);
            index.push_back(Cat("REPLY_", std::to_string(r), "?Reply ", std::to_string(reply)));
        }
    };
    for (int t = 1; t <= topFolders; ++t) {
        const std::string top = root + std::to_string(t) + kPathSep;
        std::filesystem::create_directories(top);
        std::vector<std::string> topIndex;
        for (int s = 1; s <= kSubFolders; ++s) {
            const std::string sub = top + std::to_string(s) + kPathSep;
            std::filesystem::create_directories(sub);
            std::vector<std::string> subIndex;
            fillFolder(sub, subIndex);
            Write(sub + "index.sub", subIndex);
            ++folders;
            files.push_back(sub + "index.sub");
            topIndex.push_back(Cat("FOLDER_", std::to_string(s), "?Sub ", std::to_string(s)));
        }
        fillFolder(top, topIndex);
        Write(top + "index.sub", topIndex);
        ++folders;
        files.push_back(top + "index.sub");
        rootLines.push_back(Cat("FOLDER_", std::to_string(t), "?Top ", std::to_string(t)));
    }
    replies = reply;
    rootIndex_ = JoinLines(rootLines);
    WriteFileAtomic(root + "index.sub", rootIndex_);
    files.push_back(root + "index.sub");
}

GeneratedLibrary::~GeneratedLibrary() {
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::path(root).parent_path(), ec);
}

std::string GeneratedLibrary::AddFolder(int replies) {
    const std::string dir = root + kExtraFolder + kPathSep;
    std::filesystem::create_directories(dir);
    std::vector<std::string> index;
    for (int r = 1; r <= replies; ++r) {
        std::vector<std::string> lines = {Cat("x", std::to_string(r)), ""};
        const auto body = ReplyBody(r);
        lines.insert(lines.end(), body.begin(), body.end());
        Write(dir + std::to_string(r) + ".rep", lines);
        index.push_back(Cat("REPLY_", std::to_string(r), "?Extra ", std::to_string(r)));
    }
    Write(dir + "index.sub", index);
    WriteFileAtomic(root + "index.sub", rootIndex_ + "FOLDER_" + kExtraFolder + "?Extra\r\n");
    return kExtraFolder;
}

void GeneratedLibrary::Restore() {
    std::error_code ec;
    std::filesystem::remove_all(root + kExtraFolder, ec);
    WriteFileAtomic(root + "index.sub", rootIndex_);
}

GeneratedLibrary& SharedLibrary(int replies) {
    static std::map<int, std::unique_ptr<GeneratedLibrary>> libraries;
    auto& library = libraries[replies];
    if (!library) {
        library = std::make_unique<GeneratedLibrary>(replies);
    }
    return *library;
}

} // namespace tw::bench
