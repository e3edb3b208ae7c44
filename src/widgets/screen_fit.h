#pragma once
// The scale the windows open at when none is asked for: the largest whole one, up to 4, at
// which the game window with its frame fits the screen's available area. Qt counts a
// high-density screen in logical pixels, and so does this.

#include <QSize>

namespace kroda::widgets {

// What a window manager's frame adds around a window, at most, before a window has been
// shown and the frame can be measured: the borders and the title bar.
inline constexpr QSize kFrameAllowance{16, 40};

int fittingScale(QSize available, QSize frame = kFrameAllowance);
// For the primary screen's available area; 1 without a screen.
int fittingScale();

}  // namespace kroda::widgets
