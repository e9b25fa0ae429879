#pragma once
// A disk that stops dead after a given number of changing calls: those calls are carried out,
// every later one does nothing and fails, as if the program had died at that point. Reads go on
// working. A directory tree is deleted entry by entry, one call each, so that a stop can fall
// inside it.
#include "fakes/memory_file_system.h"

#include <algorithm>
#include <vector>

namespace tw::fakes {

class CrashingFileSystem : public FileSystem {
public:
    // A negative limit never stops.
    CrashingFileSystem(MemoryFileSystem& disk, int limit) : disk_(disk), limit_(limit) {}

    int Changes() const { return changes_; }
    bool Stopped() const { return stopped_; }

    ReadStatus ReadFileBytes(const std::string& path, std::string& out,
                             std::uintmax_t maxBytes) override {
        return disk_.ReadFileBytes(path, out, maxBytes);
    }
    WriteResult WriteFileAtomic(const std::string& path, const std::string& bytes) override {
        return Allow() ? disk_.WriteFileAtomic(path, bytes)
                       : WriteResult{false, "stopped at " + path};
    }
    bool FileExists(const std::string& path) override { return disk_.FileExists(path); }
    bool DirExists(const std::string& path) override { return disk_.DirExists(path); }
    bool CreateDirectories(const std::string& path) override {
        return Allow() && disk_.CreateDirectories(path);
    }
    bool RenamePath(const std::string& from, const std::string& to) override {
        return Allow() && disk_.RenamePath(from, to);
    }
    bool RemoveFileForce(const std::string& path) override {
        return Allow() && disk_.RemoveFileForce(path);
    }
    bool DeleteTreeNoFollow(const std::string& path) override {
        const std::string dir = MemoryFileSystem::Trim(path);
        if (!disk_.DirExists(dir)) {
            return RemoveFileForce(dir);
        }
        const std::string prefix = dir + kPathSep;
        std::vector<std::string> files;
        for (const auto& [p, bytes] : disk_.files) {
            if (p.compare(0, prefix.size(), prefix) == 0) {
                files.push_back(p);
            }
        }
        for (const std::string& f : files) {
            if (!RemoveFileForce(f)) {
                return false;
            }
        }
        std::vector<std::string> dirs;
        for (const auto& [p, id] : disk_.dirs) {
            if (p.compare(0, prefix.size(), prefix) == 0) {
                dirs.push_back(p);
            }
        }
        // Deepest first: a child's path sorts after its parent's.
        std::reverse(dirs.begin(), dirs.end());
        dirs.push_back(dir);
        for (auto it = dirs.begin(); it != dirs.end(); ++it) {
            if (!Allow()) {
                return false;
            }
            disk_.dirs.erase(*it);
        }
        return true;
    }
    std::optional<DirIdentity> GetDirIdentity(const std::string& path) override {
        return disk_.GetDirIdentity(path);
    }
    std::optional<std::vector<FolderEntry>> ListFolder(const std::string& dir) override {
        return disk_.ListFolder(dir);
    }
    std::optional<FolderEntry> StatFile(const std::string& path) override {
        return disk_.StatFile(path);
    }

private:
    bool Allow() {
        if (stopped_ || (limit_ >= 0 && changes_ >= limit_)) {
            stopped_ = true;
            return false;
        }
        ++changes_;
        return true;
    }

    MemoryFileSystem& disk_;
    int limit_;
    int changes_ = 0;
    bool stopped_ = false;
};

} // namespace tw::fakes
