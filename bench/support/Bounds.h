#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>

// What the plain benchmark programs share: a failed step stops the run, and each figure is printed
// against its bound.
namespace bench {

inline void Check(bool ok, const std::string& what) {
    if (!ok)
        throw std::runtime_error(what);
}

// Prints "what  value  (at most bound) ok|MISSED"; answers whether the bound holds.
inline bool Report(const char* what, double value, double bound) {
    const bool ok = value <= bound;
    std::printf("%-52s %6.2f  (at most %.2f) %s\n", what, value, bound, ok ? "ok" : "MISSED");
    return ok;
}

} // namespace bench
