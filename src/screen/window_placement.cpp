#include "screen/window_placement.h"

namespace kroda {

std::optional<ScreenPoint> placeWindow(Integer mode, int sw, int sh, int fw, int fh) {
    if (mode < 1 || mode > 9)
        return std::nullopt;
    const auto half = [](int screen, int window) {
        return static_cast<int>(static_cast<float>(screen - window) / 2.0f);
    };
    const int column = (mode - 1) % 3;  // 0 left, 1 centre, 2 right
    const int row = (mode - 1) / 3;     // 0 bottom, 1 middle, 2 top
    const int left = column == 0 ? 0 : column == 1 ? half(sw, fw) : sw - fw;
    const int top = row == 2 ? 0 : row == 1 ? half(sh, fh) : sh - fh;
    return ScreenPoint{left, top};
}

std::optional<WindowState> maximiseOn640x480(int sw, int sh) {
    if (sw != 640)
        return std::nullopt;
    return sh == 480 ? WindowState::Maximized : WindowState::Normal;
}

}  // namespace kroda
