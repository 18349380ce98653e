#pragma once
// What every fuzz target shares: a broken promise aborts, so that libFuzzer keeps the input.

#include <cstdio>
#include <cstdlib>

namespace corvane::fuzz {

inline void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}

} // namespace corvane::fuzz
