#pragma once
// Watches the library's folder tree for changes made by anyone (this program too) and, once the
// disk has been quiet for a moment, asks the window to take them in. The folder is watched on a
// thread of its own, which only posts a message; everything else runs on the window's thread.
#include <windows.h>

#include <functional>
#include <string>
#include <thread>

namespace tw::win32 {

class LibraryWatcher {
public:
    // `takeChanges` runs on the window's thread; false puts it off for another quiet time.
    LibraryWatcher(const HWND& window, std::function<bool()> takeChanges)
        : window_(window), takeChanges_(std::move(takeChanges)) {}
    LibraryWatcher(HWND&&, std::function<bool()>) = delete; // followed by reference
    ~LibraryWatcher() { Stop(); }
    LibraryWatcher(const LibraryWatcher&) = delete;
    LibraryWatcher& operator=(const LibraryWatcher&) = delete;

    // A folder that cannot be watched is not followed; the program runs on as before.
    void Start(const std::string& root);
    void Stop();
    // The window's messages; true when it was the watcher's own.
    bool OnMessage(UINT msg, WPARAM wp);

    static constexpr UINT kChangedMessage = WM_APP + 4;
    static constexpr UINT_PTR kQuietTimerId = 3;
    // Editors and sync clients write a file in several steps: one reload after the last of them.
    static constexpr UINT kQuietMs = 300;

private:
    void Run(HANDLE change);

    const HWND& window_;
    std::function<bool()> takeChanges_;
    HANDLE stop_ = nullptr;
    std::thread thread_;
};

} // namespace tw::win32
