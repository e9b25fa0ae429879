#include "delivery/win32/trace_file.h"

#include <windows.h>

#include <cstdlib>
#include <utility>

namespace tw::win32 {

TraceFile TraceFile::FromEnvironment() {
    const wchar_t* path = _wgetenv(L"TW_DELIVERY_TRACE");
    return path && *path ? TraceFile(path) : TraceFile();
}

TraceFile::TraceFile(const std::wstring& path) : file_(_wfopen(path.c_str(), L"ab")) {}

TraceFile::~TraceFile() {
    if (file_) {
        std::fclose(file_);
    }
}

TraceFile::TraceFile(TraceFile&& other) noexcept : file_(std::exchange(other.file_, nullptr)) {}

std::uint64_t TraceFile::NowMicroseconds() {
    static const std::uint64_t frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return static_cast<std::uint64_t>(f.QuadPart);
    }();
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    const auto ticks = static_cast<std::uint64_t>(now.QuadPart);
    // In two parts, so large counter values do not overflow.
    return ticks / frequency * 1000000u + ticks % frequency * 1000000u / frequency;
}

void TraceFile::KeyArrived(std::uint32_t virtualKeyCode) {
    if (file_) {
        std::fprintf(file_, "%llu key %02X\n", static_cast<unsigned long long>(NowMicroseconds()),
                     static_cast<unsigned>(virtualKeyCode));
        std::fflush(file_);
    }
}

void TraceFile::InputSent(std::size_t inserted, std::size_t asked) {
    if (file_) {
        std::fprintf(file_, "%llu sendinput %zu %zu\n",
                     static_cast<unsigned long long>(NowMicroseconds()), inserted, asked);
        std::fflush(file_);
    }
}

void TraceFile::Step(const char* name) {
    if (file_) {
        std::fprintf(file_, "%llu step %s\n", static_cast<unsigned long long>(NowMicroseconds()),
                     name);
        std::fflush(file_);
    }
}

} // namespace tw::win32
