#pragma once
// The display's number of colours, from which the title screen picks its picture folder.

#include "model/value_types.h"

#include <optional>

namespace kroda {

// 2 to the power of the bits per pixel, times the planes, as a 32-bit integer; nothing when
// that does not fit (a 32-bit display), where the platform raised an overflow.
std::optional<Long> colourCount(int bitsPerPixel, int planes);

// The 256-colour pictures for at most 256 colours; the 64K ones otherwise, and when the count
// could not be had.
bool usesRs256(std::optional<Long> colours);

}  // namespace kroda
