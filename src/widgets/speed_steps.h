#pragma once
// The speed button's steps: 1x, 2x and 4x of the game's designed pace, then 1x again. A
// speed given on the command line goes on to the next step above it.

#include <array>

namespace kroda::widgets {

inline constexpr std::array<double, 3> kSpeedSteps{1.0, 2.0, 4.0};

// The speed after a press of the button.
constexpr double nextSpeed(double speed) {
    for (double step : kSpeedSteps)
        if (step > speed)
            return step;
    return kSpeedSteps.front();
}

// The step the button shows for a speed: the highest one not above it, 1x below 1x.
constexpr int shownSpeedStep(double speed) {
    int shown = 0;
    for (int i = 0; i < static_cast<int>(kSpeedSteps.size()); ++i)
        if (kSpeedSteps[static_cast<std::size_t>(i)] <= speed)
            shown = i;
    return shown;
}

}  // namespace kroda::widgets
