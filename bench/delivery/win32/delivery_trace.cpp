#include "delivery_trace.h"

#include "bench_clock.h"

#include <cstdlib>

namespace tw::bench {

DeliveryTrace::~DeliveryTrace() {
    if (file_) {
        std::fclose(file_);
    }
}

void DeliveryTrace::OpenFromEnvironment() {
    if (const wchar_t* path = _wgetenv(L"TW_DELIVERY_TRACE"); path && *path) {
        file_ = _wfopen(path, L"a");
    }
}

// The time is taken before the file is touched, so that writing stays out of the moment recorded.
void DeliveryTrace::KeyArrived(unsigned key) {
    if (file_) {
        const double at = MicrosNow();
        std::fprintf(file_, "%.1f key %02X\n", at, key);
        std::fflush(file_);
    }
}

void DeliveryTrace::SendInputReturned(unsigned inserted, std::size_t asked) {
    if (file_) {
        const double at = MicrosNow();
        std::fprintf(file_, "%.1f sendinput %u %zu\n", at, inserted, asked);
        std::fflush(file_);
    }
}

} // namespace tw::bench
