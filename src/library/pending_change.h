#pragma once
// A change of the library that takes more than one write (add, delete, move between folders,
// the double rename of a new folder). It is first written whole, as a record in the library
// root, then carried out step by step, then the record is removed. A load that finds the record
// carries the steps out again (each step may safely be done twice), so a crash between two
// writes leaves the library as it was before the change or, from the next start on, as after it:
// never a reply that no index lists, nor an index line that points at nothing.
//
// The record also says what each file it writes held before (size and hash), and it is carried
// out again only while every such file still holds its content from before or from after the
// change: a record that outlived its change (its removal failed) never undoes later edits.
#include "library/library_result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tw {

class FileSystem;

// The record's name in the library root; no name of the folder format looks like it.
inline constexpr const char* kPendingChangeFileName = "change.pending";

// What completing a record found and did.
struct PendingOutcome {
    enum class State {
        None,       // there was no record
        Completed,  // carried out (again)
        Discarded,  // not sound, or the disk has moved on since: nothing was changed
        Unfinished, // a step failed: the record stays for a later attempt
    };
    State state = State::None;
    bool recordLeft = false; // Completed or Discarded, but the record could not be removed
    std::string message;     // for the user; empty when there is nothing to say
    std::string record;      // the record's bytes as found
};

class DiskChange {
public:
    // Paths are full paths below the library root given to Apply. `previous` is what a failure
    // of a later step puts back; without it the file was new and goes again.
    void Write(std::string path, std::string bytes, std::optional<std::string> previous);
    void MakeDir(std::string path);
    void Rename(std::string from, std::string to);
    // A file or a directory tree. Removals come last: their failure is not reported.
    void Remove(std::string path);

    // The paths the change writes, renames and removes, for what is kept about the files
    // beside the library.
    struct Touched {
        std::vector<std::string> written;
        std::vector<std::pair<std::string, std::string>> renamed;
        std::vector<std::string> removed;
    };
    Touched Paths() const;

    // Writes over a known content, for bringing a change up to date with the disk before it is
    // carried out: the write of `path` then puts `bytes` over `previous`.
    struct Rewrite {
        std::string path;
        std::string bytes;
        std::string previous;
    };
    std::vector<Rewrite> WritesOverContent() const;
    void Retarget(const Rewrite& write);

    // Carries the change out. When a step fails, the steps done are undone as far as possible and
    // the result is that step's message. Done with false when the change was made but its record
    // could not be removed.
    LibraryResult<bool> Apply(FileSystem& files, const std::string& root) const;

    // The record's text, and the change read back from it (nothing when it is not a sound record
    // whose paths all stay inside root).
    std::string Serialize(const std::string& root) const;
    static std::optional<DiskChange> Parse(const std::string& text, const std::string& root);

private:
    enum class Kind { Write, MakeDir, Rename, Remove };
    struct Fingerprint {
        std::uint64_t size = 0;
        std::uint64_t hash = 0;
        bool operator==(const Fingerprint&) const = default;
    };
    struct Step {
        Kind kind;
        std::string path;
        std::string to; // Rename
        std::string bytes;
        std::optional<std::string> previous;
        std::optional<Fingerprint> before; // Write: the file's content before; none: no file
    };
    friend PendingOutcome CompletePendingChange(FileSystem& files, const std::string& root);
    static Fingerprint FingerprintOf(const std::string& bytes);
    // Whether the disk is where the change left it or where it found it.
    bool DiskMatches(FileSystem& files) const;
    // Empty on success, otherwise the message. `again` tolerates a step already done.
    static std::string Do(FileSystem& files, const Step& step, bool again);
    static bool Undo(FileSystem& files, const Step& step);

    std::vector<Step> steps_;
};

// Finishes a change that a crash interrupted (or whose record could not be removed).
PendingOutcome CompletePendingChange(FileSystem& files, const std::string& root);

} // namespace tw
