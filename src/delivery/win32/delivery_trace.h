#pragma once
// Where the program reports arriving key messages and SendInput calls for latency measurements.
// The base records nothing: it is all the released program has, since a trace of every key of
// every application is a key logger. Only the measuring build links a TraceFile behind it.
#include <cstddef>
#include <cstdint>

namespace tw::win32 {

class DeliveryTrace {
public:
    virtual ~DeliveryTrace() = default;
    virtual void KeyArrived(std::uint32_t) {}
    virtual void InputSent(std::size_t, std::size_t) {}
    // A step of the program's own work, such as the search picker's opening.
    virtual void Step(const char*) {}
};

} // namespace tw::win32
