#pragma once
// A broken property stops the fuzzer with the reason, so that the crash file explains itself.
// Details are built only when a property breaks: most inputs pass, and building the text of
// every check would cost more than the checks.
#include "platform/files.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace tw::fuzz {

[[noreturn]] inline void Broken(const char* what, const std::string& detail) {
    std::fprintf(stderr, "property broken: %s\n%s\n", what, detail.c_str());
    std::abort();
}

inline void Check(bool holds, const char* what) {
    if (!holds) {
        Broken(what, "");
    }
}

template <class Detail> inline void Check(bool holds, const char* what, const Detail& detail) {
    if (!holds) {
        Broken(what, detail());
    }
}

// The library root of the in-memory disks the library targets build.
inline std::string Root() {
    return std::string(1, kPathSep) + "lib" + kPathSep;
}

} // namespace tw::fuzz
