#pragma once
// The delivery trace for latency measurements: when the environment variable TW_DELIVERY_TRACE
// names a file, one line per event is appended to it:
//   <microseconds> key <virtual-key code, hex>      a keyboard hook message reached the program
//   <microseconds> sendinput <inserted> <asked>     a SendInput call returned
//   <microseconds> step <name>                      a step of the program's own work ended
// The times are QueryPerformanceCounter readings, comparable across processes of one machine.
// Without the variable nothing is opened or written. Only the measuring build (TextwrightTraced)
// and the tests link it.
#include "delivery/win32/delivery_trace.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace tw::win32 {

class TraceFile : public DeliveryTrace {
public:
    // The file named by TW_DELIVERY_TRACE; closed when the variable is not set.
    static TraceFile FromEnvironment();
    explicit TraceFile(const std::wstring& path);
    TraceFile() = default;
    ~TraceFile() override;
    TraceFile(TraceFile&& other) noexcept;
    TraceFile& operator=(TraceFile&&) = delete;
    TraceFile(const TraceFile&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    void KeyArrived(std::uint32_t virtualKeyCode) override;
    void InputSent(std::size_t inserted, std::size_t asked) override;
    void Step(const char* name) override;

    // The performance counter in microseconds.
    static std::uint64_t NowMicroseconds();

private:
    std::FILE* file_ = nullptr;
};

} // namespace tw::win32
