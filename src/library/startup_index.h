#pragma once
// What a start needs from each library file, kept with the file's size and last-write time as a
// folder listing shows them: a reply file's macro and hot-key lines, an index file's every line.
// A start takes a file from here only while its listing still shows that size and time; the
// library files stay the only truth, and an index that is missing, damaged or made for another
// library root is simply not used.
//
// It lives outside the library (in the user's own data folder): a library on a share, or one
// that a sync client copies, is not written to by a start, two programs on one library never
// write one file, and a copied library starts from its own files.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

class StartupIndex {
public:
    struct Entry {
        std::uint64_t size = 0;
        std::uint64_t writeTime = 0;
        std::string macro;              // a reply file's first line
        std::string hotKey;             // its second line
        std::vector<std::string> lines; // an index file's lines
        bool operator==(const Entry&) const = default;
    };

    // Keys are paths relative to the library root; those naming an index file keep `lines`, the
    // others `macro` and `hotKey`.
    static bool IsIndexFile(std::string_view relative);
    const Entry* Find(const std::string& relative) const;
    void Put(const std::string& relative, Entry entry);
    // Removes the entry and gives it; nothing when there is none.
    std::optional<Entry> Take(const std::string& relative);
    // Moves the entry into `to` (over one there) and gives it there; null when there is none.
    const Entry* MoveTo(const std::string& relative, StartupIndex& to);
    // The file or the folder tree at `relative`.
    void EraseBelow(const std::string& relative);
    void MoveBelow(const std::string& from, const std::string& to);
    std::size_t Size() const { return entries_.size(); }
    void Clear() { entries_.clear(); }

    std::string Serialize(const std::string& root) const;
    // Nothing unless the text is a whole index of this format made for exactly this root.
    static std::optional<StartupIndex> Parse(std::string_view text, const std::string& root);

private:
    std::map<std::string, Entry> entries_;
};

// The index file of the library at `root`, in `dataFolder`: one per library root.
std::string StartupIndexPath(const std::string& dataFolder, const std::string& root);

} // namespace tw
