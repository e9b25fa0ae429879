// The clock every figure of the delivery benchmark shares with the program's trace.
#pragma once

#include <windows.h>

namespace tw::bench {

inline double MicrosNow() {
    static const double perMicro = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1e6;
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / perMicro;
}

} // namespace tw::bench
