#include "dice/random.h"

#include <cmath>

namespace kroda {

namespace {
// Spreads the bits of a word over the whole word, so that nearby seeds and times give
// unrelated states.
std::uint64_t scramble(std::uint64_t z) {
    z += 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
}  // namespace

void Random::seed(std::uint64_t seed) {
    state_ = scramble(seed);
    if (state_ == 0)
        state_ = 0x2545F4914F6CDD1Dull;
}

void Random::mixTime(double secondsSinceMidnight) {
    // Microsecond resolution: finer than any clock the game is played on.
    const auto micros = static_cast<std::uint64_t>(std::llround(secondsSinceMidnight * 1e6));
    state_ ^= scramble(micros);
    if (state_ == 0)
        state_ = 0x2545F4914F6CDD1Dull;
}

double Random::next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    const std::uint64_t out = state_ * 0x2545F4914F6CDD1Dull;
    return static_cast<double>(out >> 11) * 0x1.0p-53;
}

}  // namespace kroda
