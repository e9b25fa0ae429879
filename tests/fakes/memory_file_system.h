#pragma once
// A file system held in memory, with the semantics the library relies on: rename fails when the
// target exists, a write needs its folder, a directory tree goes with everything in it.
// Paths use kPathSep; a trailing separator names the same directory.
#include "platform/file_system.h"

#include <map>
#include <string>
#include <vector>

namespace tw::fakes {

// An absolute path on the fake disk, written with '/' whatever the system's separator.
inline std::string DiskPath(const std::string& relative) {
    std::string p = std::string(1, kPathSep) + relative;
    for (char& c : p) {
        c = c == '/' ? kPathSep : c;
    }
    return p;
}

class MemoryFileSystem : public FileSystem {
public:
    std::map<std::string, std::string> files;
    std::map<std::string, std::uint64_t> dirs; // path -> identity
    // A file's last write, on a clock that ticks once per write; renames keep it.
    std::map<std::string, std::uint64_t> writeTimes;
    std::vector<std::string> opened; // every path opened for reading, in order

    void AddDir(const std::string& path) { CreateDirectories(path); }
    void Put(const std::string& path, const std::string& bytes) {
        const std::size_t cut = path.find_last_of(kPathSep);
        if (cut != std::string::npos && cut > 0) {
            CreateDirectories(path.substr(0, cut));
        }
        files[path] = bytes;
        writeTimes[path] = ++clock_;
    }

    ReadStatus ReadFileBytes(const std::string& path, std::string& out,
                             std::uintmax_t maxBytes) override {
        out.clear();
        opened.push_back(path);
        const auto it = files.find(path);
        if (it == files.end()) {
            return ReadStatus::CannotOpen;
        }
        if (it->second.size() > maxBytes) {
            return ReadStatus::TooLarge;
        }
        out = it->second;
        return ReadStatus::Ok;
    }
    WriteResult WriteFileAtomic(const std::string& path, const std::string& bytes) override {
        if (DirExists(path) || !DirExists(Parent(path))) {
            return {false, "File \"" + path + "\" can't be written."};
        }
        files[path] = bytes;
        writeTimes[path] = ++clock_;
        return {};
    }
    bool FileExists(const std::string& path) override { return files.count(path) != 0; }
    bool DirExists(const std::string& path) override { return dirs.count(Trim(path)) != 0; }
    bool CreateDirectories(const std::string& path) override {
        const std::string p = Trim(path);
        if (p.empty() || FileExists(p)) {
            return false;
        }
        if (!DirExists(p)) {
            const std::string parent = Parent(p);
            if (!parent.empty() && !DirExists(parent) && !CreateDirectories(parent)) {
                return false;
            }
            dirs[p] = ++nextIdentity_;
        }
        return true;
    }
    bool RenamePath(const std::string& from, const std::string& to) override {
        const std::string f = Trim(from);
        const std::string t = Trim(to);
        if (FileExists(t) || DirExists(t) || !DirExists(Parent(t))) {
            return false;
        }
        if (const auto it = files.find(f); it != files.end()) {
            files[t] = it->second;
            writeTimes[t] = writeTimes[f];
            files.erase(f);
            writeTimes.erase(f);
            return true;
        }
        if (!DirExists(f) ||
            (t.size() > f.size() && t.compare(0, f.size() + 1, f + kPathSep) == 0)) {
            return false;
        }
        MoveBelow(files, f, t);
        MoveBelow(writeTimes, f, t);
        MoveBelow(dirs, f, t);
        return true;
    }
    bool RemoveFileForce(const std::string& path) override {
        writeTimes.erase(path);
        return files.erase(path) != 0;
    }
    bool DeleteTreeNoFollow(const std::string& path) override {
        const std::string p = Trim(path);
        if (FileExists(p)) {
            return RemoveFileForce(p);
        }
        if (!DirExists(p)) {
            return false;
        }
        EraseBelow(files, p);
        EraseBelow(writeTimes, p);
        EraseBelow(dirs, p);
        dirs.erase(p);
        return true;
    }
    std::optional<DirIdentity> GetDirIdentity(const std::string& path) override {
        const auto it = dirs.find(Trim(path));
        if (it == dirs.end()) {
            return std::nullopt;
        }
        return DirIdentity{1, it->second};
    }

    std::optional<std::vector<FolderEntry>> ListFolder(const std::string& dir) override {
        const std::string d = Trim(dir);
        if (!DirExists(d)) {
            return std::nullopt;
        }
        const std::string prefix = d == std::string(1, kPathSep) ? d : d + kPathSep;
        std::vector<FolderEntry> entries;
        // The maps are sorted, so everything below the folder is one stretch of each.
        const auto below = [&](const auto& map, const auto& take) {
            for (auto it = map.lower_bound(prefix);
                 it != map.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
                if (it->first.size() > prefix.size() &&
                    it->first.find(kPathSep, prefix.size()) == std::string::npos) {
                    take(*it);
                }
            }
        };
        below(files, [&](const auto& file) {
            const auto time = writeTimes.find(file.first);
            entries.push_back({file.first.substr(prefix.size()), false, file.second.size(),
                               time == writeTimes.end() ? 0 : time->second});
        });
        below(dirs, [&](const auto& dir) {
            entries.push_back({dir.first.substr(prefix.size()), true, 0, 0});
        });
        return entries;
    }

    std::optional<FolderEntry> StatFile(const std::string& path) override {
        const auto file = files.find(path);
        if (file == files.end()) {
            return std::nullopt;
        }
        const auto time = writeTimes.find(path);
        return FolderEntry{path.substr(path.find_last_of(kPathSep) + 1), false, file->second.size(),
                           time == writeTimes.end() ? 0 : time->second};
    }

    static std::string Trim(std::string path) {
        while (path.size() > 1 && path.back() == kPathSep) {
            path.pop_back();
        }
        return path;
    }
    static std::string Parent(const std::string& path) {
        const std::string p = Trim(path);
        const std::size_t cut = p.find_last_of(kPathSep);
        if (cut == std::string::npos || p.size() == 1) {
            return {};
        }
        return p.substr(0, cut == 0 ? 1 : cut);
    }

private:
    template <typename Map>
    static void MoveBelow(Map& map, const std::string& from, const std::string& to) {
        Map moved;
        for (auto it = map.begin(); it != map.end();) {
            if (it->first == from || it->first.compare(0, from.size() + 1, from + kPathSep) == 0) {
                moved[to + it->first.substr(from.size())] = it->second;
                it = map.erase(it);
            } else {
                ++it;
            }
        }
        map.insert(moved.begin(), moved.end());
    }
    template <typename Map> static void EraseBelow(Map& map, const std::string& dir) {
        const std::string prefix = dir + kPathSep;
        map.erase(map.lower_bound(prefix), map.lower_bound(dir + static_cast<char>(kPathSep + 1)));
    }

    std::uint64_t nextIdentity_ = 0;
    std::uint64_t clock_ = 0;
};

} // namespace tw::fakes
