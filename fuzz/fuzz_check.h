#pragma once
// A broken property stops the fuzzer with the reason, so that the crash file explains itself.
#include "platform/files.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace tw::fuzz {

inline void Check(bool holds, const std::string& what) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what.c_str());
        std::abort();
    }
}

// The library root of the in-memory disks the library targets build.
inline std::string Root() {
    return std::string(1, kPathSep) + "lib" + kPathSep;
}

} // namespace tw::fuzz
