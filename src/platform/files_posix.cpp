#include "platform/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <dirent.h>

namespace tw {

namespace {

struct Fd {
    int fd;
    explicit Fd(int f) : fd(f) {}
    ~Fd() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
};

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string WriteError(const std::string& path, int err) {
    return "File \"" + path + "\" can't be written: " + std::strerror(err) + ".";
}

} // namespace

ReadStatus ReadFileBytes(const std::string& path, std::string& out, std::uintmax_t maxBytes) {
    out.clear();
    Fd f(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (f.fd < 0) {
        return ReadStatus::CannotOpen;
    }
    struct stat st {};
    if (::fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        return ReadStatus::CannotOpen;
    }
    if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
        return ReadStatus::TooLarge;
    }
    out.resize(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    while (got < out.size()) {
        ssize_t n = ::read(f.fd, out.data() + got, out.size() - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            out.clear();
            return ReadStatus::CannotOpen;
        }
        if (n == 0) {
            break; // the file shrank while we read it
        }
        got += static_cast<std::size_t>(n);
    }
    out.resize(got);
    return ReadStatus::Ok;
}

WriteResult WriteFileAtomic(const std::string& path, const std::string& bytes) {
    const std::string temp = path + ".~tw" + std::to_string(::getpid());
    {
        Fd f(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        if (f.fd < 0) {
            return {false, WriteError(path, errno)};
        }
        if (!WriteAll(f.fd, bytes.data(), bytes.size()) || ::fsync(f.fd) != 0) {
            const int err = errno;
            ::unlink(temp.c_str());
            return {false, WriteError(path, err)};
        }
    }
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        ::unlink(temp.c_str());
        return {false, WriteError(path, EISDIR)};
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return {false, WriteError(path, err)};
    }
    return {};
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDirectories(const std::string& path) {
    if (path.empty() || DirExists(path)) {
        return !path.empty();
    }
    std::string::size_type pos = 0;
    while ((pos = path.find('/', pos + 1)) != std::string::npos) {
        const std::string part = path.substr(0, pos);
        if (!DirExists(part) && ::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
            return false;
        }
    }
    if (::mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
        return false;
    }
    return DirExists(path);
}

bool RenamePath(const std::string& from, const std::string& to) {
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0) {
        return false;
    }
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFileForce(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) {
        return false;
    }
    if (!S_ISLNK(st.st_mode)) {
        ::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR);
    }
    return ::unlink(path.c_str()) == 0;
}

bool IsLinkOrJunction(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool DeleteTreeNoFollow(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        return ::unlink(path.c_str()) == 0; // a link to a directory goes as a link
    }
    bool allGone = true;
    if (DIR* dir = ::opendir(path.c_str())) {
        while (dirent* e = ::readdir(dir)) {
            if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) {
                continue;
            }
            const std::string child = path + "/" + e->d_name;
            struct stat cst {};
            if (::lstat(child.c_str(), &cst) != 0) {
                allGone = false;
            } else if (S_ISDIR(cst.st_mode)) {
                allGone = DeleteTreeNoFollow(child) && allGone;
            } else {
                allGone = RemoveFileForce(child) && allGone;
            }
        }
        ::closedir(dir);
    } else {
        allGone = false;
    }
    if (!allGone) {
        return false;
    }
    ::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR | S_IXUSR);
    return ::rmdir(path.c_str()) == 0;
}

std::optional<DirIdentity> GetDirIdentity(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        return std::nullopt;
    }
    return DirIdentity{static_cast<std::uint64_t>(st.st_dev),
                       static_cast<std::uint64_t>(st.st_ino)};
}

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& dir) {
    DIR* d = ::opendir(dir.c_str());
    if (!d) {
        return std::nullopt;
    }
    std::vector<FolderEntry> entries;
    while (const dirent* e = ::readdir(d)) {
        struct stat st {};
        const std::string name = e->d_name;
        if (name == "." || name == ".." || ::fstatat(::dirfd(d), e->d_name, &st, 0) != 0) {
            continue;
        }
        struct stat own {};
        const bool link = e->d_type == DT_LNK ||
                          (e->d_type == DT_UNKNOWN &&
                           (::fstatat(::dirfd(d), e->d_name, &own, AT_SYMLINK_NOFOLLOW) != 0 ||
                            S_ISLNK(own.st_mode)));
        entries.push_back({name, S_ISDIR(st.st_mode), static_cast<std::uint64_t>(st.st_size),
                           static_cast<std::uint64_t>(st.st_mtim.tv_sec) * 1000000000u +
                               static_cast<std::uint64_t>(st.st_mtim.tv_nsec),
                           link});
    }
    ::closedir(d);
    return entries;
}

std::optional<FolderEntry> StatFile(const std::string& path) {
    struct stat st {};
    struct stat own {};
    if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode) || ::lstat(path.c_str(), &own) != 0) {
        return std::nullopt;
    }
    return FolderEntry{path.substr(path.find_last_of('/') + 1), false,
                       static_cast<std::uint64_t>(st.st_size),
                       static_cast<std::uint64_t>(st.st_mtim.tv_sec) * 1000000000u +
                           static_cast<std::uint64_t>(st.st_mtim.tv_nsec),
                       S_ISLNK(own.st_mode)};
}

} // namespace tw
