#include "frontend/colour_count.h"

#include <cstdint>
#include <limits>

namespace kroda {

std::optional<Long> colourCount(int bitsPerPixel, int planes) {
    // From 31 bits on, 2 to that power alone leaves the 32-bit range.
    if (bitsPerPixel < 0 || bitsPerPixel > 30 || planes < 0)
        return std::nullopt;
    const std::int64_t count = (std::int64_t{1} << bitsPerPixel) * std::int64_t{planes};
    if (count > std::numeric_limits<Long>::max())
        return std::nullopt;
    return static_cast<Long>(count);
}

bool usesRs256(std::optional<Long> colours) {
    return colours.has_value() && *colours <= 256;
}

}  // namespace kroda
