#pragma once
// The shared window helpers: placing a window by one of nine anchors laid out like a numeric
// keypad, and maximising on a 640 x 480 screen.

#include "model/value_types.h"

#include <optional>

namespace kroda {

struct ScreenPoint {
    int Left = 0;
    int Top = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// Where a window of fw x fh goes on a screen of sw x sh with anchor `mode` (1..9: 7 8 9 top,
// 4 5 6 middle, 1 2 3 bottom); nothing for any other mode. The halves are single precision
// and the result is truncated, so a window larger than the screen gets negative coordinates.
std::optional<ScreenPoint> placeWindow(Integer mode, int sw, int sh, int fw, int fh);

enum class WindowState { Normal, Maximized };

// The state a window takes on a screen of sw x sh pixels: maximised on 640 x 480, normal on
// any other screen 640 wide, and left as it was (nothing) otherwise.
std::optional<WindowState> maximiseOn640x480(int sw, int sh);

}  // namespace kroda
