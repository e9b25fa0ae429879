// The floor a start is measured against: a program of ours that does no more than walk the same
// library from its root index. "read" opens and reads every index and reply file, as a start
// without the startup index must; "list" reads the index files and lists each folder once, as a
// start with an index that still holds does. Prints the number of replies it found.
// Usage: read_library read|list LIBRARY_FOLDER
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

bool ReadWhole(const std::wstring& path, std::string& out) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        return false;
    }
    LARGE_INTEGER size{};
    GetFileSizeEx(f, &size);
    out.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD got = 0;
    const bool ok = ReadFile(f, out.data(), static_cast<DWORD>(out.size()), &got, nullptr);
    CloseHandle(f);
    out.resize(got);
    return ok;
}

std::size_t ListOnce(const std::wstring& dir) {
    WIN32_FIND_DATAW fd{};
    HANDLE find = FindFirstFileExW((dir + L"*").c_str(), FindExInfoBasic, &fd,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    std::size_t n = 0;
    if (find != INVALID_HANDLE_VALUE) {
        do {
            ++n;
        } while (FindNextFileW(find, &fd));
        FindClose(find);
    }
    return n;
}

// dir ends in a backslash.
long Walk(const std::wstring& dir, bool readReplies) {
    std::string index;
    if (!ReadWhole(dir + L"index.sub", index)) {
        return 0;
    }
    if (!readReplies) {
        ListOnce(dir);
    }
    long replies = 0;
    std::string file;
    std::size_t at = 0;
    while (at < index.size()) {
        std::size_t end = index.find('\n', at);
        end = end == std::string::npos ? index.size() : end;
        const std::string line = index.substr(at, end - at);
        at = end + 1;
        const std::size_t underscore = line.find('_');
        const std::size_t question = line.find('?');
        if (underscore == std::string::npos || question == std::string::npos) {
            continue;
        }
        const std::string id = line.substr(underscore + 1, question - underscore - 1);
        const std::wstring wid(id.begin(), id.end());
        if (line.compare(0, 7, "FOLDER_") == 0) {
            replies += Walk(dir + wid + L"\\", readReplies);
        } else if (line.compare(0, 6, "REPLY_") == 0) {
            replies += !readReplies || ReadWhole(dir + wid + L".rep", file);
        }
    }
    return replies;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3 || (std::wcscmp(argv[1], L"read") != 0 && std::wcscmp(argv[1], L"list") != 0)) {
        std::fputs("usage: read_library read|list LIBRARY_FOLDER\n", stderr);
        return 2;
    }
    std::wstring root = argv[2];
    if (root.back() != L'\\') {
        root += L'\\';
    }
    std::printf("%ld\n", Walk(root, std::wcscmp(argv[1], L"read") == 0));
    return 0;
}
