#pragma once
// A change of the library that takes more than one write (add, delete, move between folders,
// the double rename of a new folder). It is first written whole, as a record in the library
// root, then carried out step by step, then the record is removed. A load that finds the record
// carries the steps out again (each step may safely be done twice), so a crash between two
// writes leaves the library as it was before the change or, from the next start on, as after it:
// never a reply that no index lists, nor an index line that points at nothing.
#include <optional>
#include <string>
#include <vector>

namespace tw {

class FileSystem;

// The record's name in the library root; no name of the folder format looks like it.
inline constexpr const char* kPendingChangeFileName = "change.pending";

class DiskChange {
public:
    // Paths are full paths below the library root given to Apply. `previous` is what a failure
    // of a later step puts back; without it the file was new and goes again.
    void Write(std::string path, std::string bytes, std::optional<std::string> previous);
    void MakeDir(std::string path);
    void Rename(std::string from, std::string to);
    // A file or a directory tree. Removals come last: their failure is not reported.
    void Remove(std::string path);

    // Carries the change out. When a step fails, the steps done are undone as far as possible
    // and LibraryError is thrown with that step's message.
    void Apply(FileSystem& files, const std::string& root) const;

    // The record's text, and the change read back from it (nothing when it is not a sound record
    // whose paths all stay inside root).
    std::string Serialize(const std::string& root) const;
    static std::optional<DiskChange> Parse(const std::string& text, const std::string& root);

private:
    enum class Kind { Write, MakeDir, Rename, Remove };
    struct Step {
        Kind kind;
        std::string path;
        std::string to; // Rename
        std::string bytes;
        std::optional<std::string> previous;
    };
    friend std::string CompletePendingChange(FileSystem& files, const std::string& root);
    // Empty on success, otherwise the message. `again` tolerates a step already done.
    static std::string Do(FileSystem& files, const Step& step, bool again);
    static bool Undo(FileSystem& files, const Step& step);

    std::vector<Step> steps_;
};

// Finishes a change that a crash interrupted. Returns an empty text when there was none or it was
// completed, otherwise a message for the user (the record then stays for the next start).
std::string CompletePendingChange(FileSystem& files, const std::string& root);

} // namespace tw
