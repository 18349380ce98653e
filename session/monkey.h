#pragma once
// The monkey run: random user actions on one main window, with the window's promises checked after
// each one.

#include <cstdint>
#include <iosfwd>

namespace corvane::session {

// Performs `steps` random actions chosen from `seed`. Returns 0 when every check held; otherwise
// writes the seed, the step, the action and the broken promise to `failures` and returns 1.
int RunMonkey(long steps, std::uint64_t seed, std::ostream& progress, std::ostream& failures);

} // namespace corvane::session
