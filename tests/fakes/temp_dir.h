#pragma once
// A fresh directory under the system's temporary folder, removed with everything in it at the
// end of the test; plus small helpers to put and read files below it.
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace tw::fakes {

class TempDir {
public:
    TempDir() {
        std::random_device rd;
        for (int attempt = 0; attempt < 100; ++attempt) {
            path_ = std::filesystem::temp_directory_path() /
                    ("tw-test-" + std::to_string(rd()) + std::to_string(attempt));
            if (std::filesystem::create_directory(path_)) {
                return;
            }
        }
        throw std::runtime_error("cannot create a temporary directory");
    }
    ~TempDir() {
        std::error_code ec;
        // Make everything writable again first, so that read-only leftovers go too.
        for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            std::filesystem::permissions(
                it->path(), std::filesystem::perms::owner_all,
                std::filesystem::perm_options::add | std::filesystem::perm_options::nofollow, ec);
        }
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The path as the core builds it: a byte string ending in the separator.
    std::string Root() const { return (path_ / "").string(); }

    void Put(const std::string& relative, const std::string& bytes) const {
        const auto p = path_ / relative;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
    }
    std::string Get(const std::string& relative) const {
        std::ifstream in(path_ / relative, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    bool Exists(const std::string& relative) const {
        return std::filesystem::exists(std::filesystem::symlink_status(path_ / relative));
    }

private:
    std::filesystem::path path_;
};

// Wine cannot create directory links; the tests that need one skip there.
inline bool TryLinkDirectory(const std::filesystem::path& target,
                             const std::filesystem::path& link) {
    std::error_code error;
    std::filesystem::create_directory_symlink(target, link, error);
    return !error;
}

} // namespace tw::fakes
