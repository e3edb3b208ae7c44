#pragma once
// The game's random generator: a 64-bit xorshift-multiply generator of our own whose state
// carries over from draw to draw, with the time of day mixed in before a draw.

#include <cstdint>

namespace kroda {

class Random {
  public:
    explicit Random(std::uint64_t seed = 0) { this->seed(seed); }

    void seed(std::uint64_t seed);
    // Stirs seconds since midnight (with their fraction) into the state.
    void mixTime(double secondsSinceMidnight);
    // Uniform in [0, 1).
    double next();
    // Int(r * n) for a fresh r: 0 .. n - 1.
    int below(int n) { return static_cast<int>(next() * n); }

    std::uint64_t state() const { return state_; }
    // Puts back a state read from state(); 0, which the generator never reaches, is refused.
    bool setState(std::uint64_t state) {
        if (state == 0)
            return false;
        state_ = state;
        return true;
    }

  private:
    std::uint64_t state_ = 0;
};

}  // namespace kroda
