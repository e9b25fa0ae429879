#pragma once
// A large library written to a temporary folder for the benchmarks: a multiple of 500 replies in
// folders of 50 (top-level folders of 9 sub-folders each), bodies of about 1 KB of RTF, a macro
// on every second reply and the 72 possible hot keys on the first 72 replies.
#include <cstdint>
#include <string>
#include <vector>

namespace tw::bench {

// Joins texts into one string.
template <typename... Parts> std::string Cat(const Parts&... parts) {
    std::string out;
    (out.append(parts), ...);
    return out;
}

struct GeneratedLibrary {
    std::string root;               // ends in the separator
    std::vector<std::string> files; // every index and reply file
    std::vector<std::string> macros;
    int replies = 0;
    int folders = 0;
    std::uintmax_t bytes = 0; // of all files

    explicit GeneratedLibrary(int replies);
    ~GeneratedLibrary();
    GeneratedLibrary(const GeneratedLibrary&) = delete;
    GeneratedLibrary& operator=(const GeneratedLibrary&) = delete;

    // Adds a top-level folder with `replies` replies at the end of the root index; returns its id.
    std::string AddFolder(int replies);
    // Puts the root index back as generated and removes what AddFolder made.
    void Restore();

private:
    std::string rootIndex_;
};

// One library per size, made on first use and removed at exit.
GeneratedLibrary& SharedLibrary(int replies);

} // namespace tw::bench
