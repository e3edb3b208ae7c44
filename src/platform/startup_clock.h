#pragma once
// The time since this process started, for the start-up figure a program prints at its first
// painted frame ("startup-ms N" on stderr). Linux keeps the start in clock ticks, so the figure
// is good to about 10 ms; a launcher that times exec itself is finer.

#include <cstdint>

namespace kroda {

// Milliseconds since the process started (from the kernel's record of its start), or since
// the first call where that record cannot be read.
std::int64_t msSinceProcessStart();

}  // namespace kroda
