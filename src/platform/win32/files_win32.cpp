#include "platform/files.h"
#include "platform/path_rules.h"
#include "platform/win32/ansi_path.h"

#include <windows.h>

#include <algorithm>

namespace tw {

using win32::PathToWide;
using win32::WideToPath;

namespace {

struct Handle {
    HANDLE h;
    explicit Handle(HANDLE handle) : h(handle) {}
    ~Handle() {
        if (h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool ok() const { return h != INVALID_HANDLE_VALUE; }
};

DWORD Attributes(const std::wstring& path) {
    return GetFileAttributesW(path.c_str());
}

std::string WriteError(const std::string& path, DWORD err) {
    return "File \"" + path + "\" can't be written (error " + std::to_string(err) + ").";
}

} // namespace

ReadStatus ReadFileBytes(const std::string& path, std::string& out, std::uintmax_t maxBytes) {
    out.clear();
    Handle f(CreateFileW(PathToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f.ok()) {
        return ReadStatus::CannotOpen;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(f.h, &size) || GetFileType(f.h) != FILE_TYPE_DISK) {
        return ReadStatus::CannotOpen;
    }
    if (static_cast<std::uintmax_t>(size.QuadPart) > maxBytes) {
        return ReadStatus::TooLarge;
    }
    out.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t got = 0;
    while (got < out.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(out.size() - got, 1u << 30));
        DWORD n = 0;
        if (!ReadFile(f.h, out.data() + got, chunk, &n, nullptr)) {
            out.clear();
            return ReadStatus::CannotOpen;
        }
        if (n == 0) {
            break;
        }
        got += n;
    }
    out.resize(got);
    return ReadStatus::Ok;
}

WriteResult WriteFileAtomic(const std::string& path, const std::string& bytes) {
    const std::wstring target = PathToWide(path);
    if (target.empty()) {
        return {false, WriteError(path, ERROR_INVALID_NAME)};
    }
    const std::wstring temp = target + L".~tw" + std::to_wstring(GetCurrentProcessId());
    {
        Handle f(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!f.ok()) {
            return {false, WriteError(path, GetLastError())};
        }
        std::size_t done = 0;
        while (done < bytes.size()) {
            DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
            DWORD n = 0;
            if (!WriteFile(f.h, bytes.data() + done, chunk, &n, nullptr) || n == 0) {
                const DWORD err = GetLastError();
                CloseHandle(f.h);
                f.h = INVALID_HANDLE_VALUE;
                DeleteFileW(temp.c_str());
                return {false, WriteError(path, err)};
            }
            done += n;
        }
        if (!FlushFileBuffers(f.h)) {
            const DWORD err = GetLastError();
            CloseHandle(f.h);
            f.h = INVALID_HANDLE_VALUE;
            DeleteFileW(temp.c_str());
            return {false, WriteError(path, err)};
        }
    }
    const DWORD attr = Attributes(target);
    if (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(temp.c_str());
        return {false, WriteError(path, ERROR_DIRECTORY)};
    }
    if (!MoveFileExW(temp.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD err = GetLastError();
        DeleteFileW(temp.c_str());
        return {false, WriteError(path, err)};
    }
    return {};
}

bool FileExists(const std::string& path) {
    const DWORD attr = Attributes(PathToWide(path));
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirExists(const std::string& path) {
    const DWORD attr = Attributes(PathToWide(path));
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDirectories(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    if (DirExists(path)) {
        return true;
    }
    const std::string::size_type cut = path.find_last_of("\\/");
    if (cut != std::string::npos && cut > 0 && path[cut - 1] != ':') {
        CreateDirectories(path.substr(0, cut));
    }
    CreateDirectoryW(PathToWide(path).c_str(), nullptr);
    return DirExists(path);
}

bool RenamePath(const std::string& from, const std::string& to) {
    return MoveFileExW(PathToWide(from).c_str(), PathToWide(to).c_str(), 0) != 0;
}

namespace {
bool RemoveFileForce(const std::wstring& w);
} // namespace

bool RemoveFileForce(const std::string& path) {
    const std::wstring w = PathToWide(path);
    return !w.empty() && RemoveFileForce(w);
}

bool IsLinkOrJunction(const std::string& path) {
    const DWORD attr = Attributes(PathToWide(path));
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_REPARSE_POINT);
}

namespace {

bool RemoveFileForce(const std::wstring& w) {
    const DWORD attr = Attributes(w);
    if (attr == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    if (attr & FILE_ATTRIBUTE_DIRECTORY) {
        // A directory link or junction: removing it leaves its target alone.
        return (attr & FILE_ATTRIBUTE_REPARSE_POINT) && RemoveDirectoryW(w.c_str());
    }
    SetFileAttributesW(w.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(w.c_str()) != 0;
}

// The names of the listing stay wide down to the call that deletes them: converted to any code
// page, a name such as two fullwidth full stops could come back as "..".
bool DeleteTree(const std::wstring& w) {
    const DWORD attr = Attributes(w);
    if (attr == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    if (!(attr & FILE_ATTRIBUTE_DIRECTORY) || (attr & FILE_ATTRIBUTE_REPARSE_POINT)) {
        return RemoveFileForce(w);
    }
    bool allGone = true;
    WIN32_FIND_DATAW fd{};
    HANDLE find = FindFirstFileW((w + L"\\*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            // A name the system would read as another entry stays, and so does its folder.
            if (!IsPlainEntryName(std::u16string(name.begin(), name.end()))) {
                allGone = false;
                continue;
            }
            const std::wstring child = w + L"\\" + name;
            const bool isDir = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                               !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
            allGone = (isDir ? DeleteTree(child) : RemoveFileForce(child)) && allGone;
        } while (FindNextFileW(find, &fd));
        FindClose(find);
    }
    if (!allGone) {
        return false;
    }
    SetFileAttributesW(w.c_str(), FILE_ATTRIBUTE_NORMAL);
    return RemoveDirectoryW(w.c_str()) != 0;
}

} // namespace

bool DeleteTreeNoFollow(const std::string& path) {
    const std::wstring w = PathToWide(path);
    return !w.empty() && DeleteTree(w);
}

std::optional<DirIdentity> GetDirIdentity(const std::string& path) {
    Handle h(CreateFileW(PathToWide(path).c_str(), 0,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.ok()) {
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(h.h, &info) ||
        !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    return DirIdentity{info.dwVolumeSerialNumber,
                       (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) |
                           info.nFileIndexLow};
}

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& dir) {
    const std::wstring w = PathToWide(dir);
    if (w.empty()) {
        return std::nullopt;
    }
    const std::wstring pattern = w + (w.back() == L'\\' || w.back() == L'/' ? L"*" : L"\\*");
    WIN32_FIND_DATAW fd{};
    // Basic info skips the short names; the large fetch asks a network share for many entries
    // per round trip.
    HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
        return DirExists(dir) ? std::optional(std::vector<FolderEntry>{}) : std::nullopt;
    }
    std::vector<FolderEntry> entries;
    do {
        const std::wstring name = fd.cFileName;
        const std::optional<std::string> converted = WideToPath(name);
        if (name == L"." || name == L".." || !converted) {
            continue;
        }
        entries.push_back({*converted, (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                           (static_cast<std::uint64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow,
                           (static_cast<std::uint64_t>(fd.ftLastWriteTime.dwHighDateTime) << 32) |
                               fd.ftLastWriteTime.dwLowDateTime,
                           (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    } while (FindNextFileW(find, &fd));
    FindClose(find);
    return entries;
}

std::optional<FolderEntry> StatFile(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    const std::wstring w = PathToWide(path);
    if (w.empty() || !GetFileAttributesExW(w.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    return FolderEntry{path.substr(path.find_last_of("\\/") + 1), false,
                       (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                       (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                           data.ftLastWriteTime.dwLowDateTime,
                       (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0};
}

} // namespace tw
