#pragma once
// How long the process has been running, for the start-up figure the benchmarks read.

#include <cstdint>

namespace kroda::widgets {

// Milliseconds since the process started (from the kernel's record of its start), or since
// the first call when that record cannot be read.
std::int64_t msSinceProcessStart();

}  // namespace kroda::widgets
