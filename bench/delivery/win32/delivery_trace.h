// The trace the benchmark reads, in the program's format: one line per keyboard hook message as it
// reaches the thread that acts on it, and one per SendInput return, each with the
// QueryPerformanceCounter time in microseconds. Nothing is written unless TW_DELIVERY_TRACE
// names a file.
#pragma once

#include <cstddef>
#include <cstdio>

namespace tw::bench {

class DeliveryTrace {
public:
    DeliveryTrace() = default;
    DeliveryTrace(const DeliveryTrace&) = delete;
    DeliveryTrace& operator=(const DeliveryTrace&) = delete;
    ~DeliveryTrace();

    void OpenFromEnvironment();
    void KeyArrived(unsigned key);
    void SendInputReturned(unsigned inserted, std::size_t asked);

private:
    std::FILE* file_ = nullptr;
};

} // namespace tw::bench
