#pragma once
// The mouse side of the image buttons: which button a press, a move or a release belongs to.
// The icon on a button takes no input of its own, so only the buttons' rectangles count. A
// button that took a press keeps the mouse until the release, as the platform's controls do:
// moves and the release go to it wherever the pointer is.

#include "frontend/image_button.h"

#include <QPoint>

#include <functional>
#include <span>

namespace kroda::widgets {

// The button under a point of the window's design, or -1.
int imageButtonAt(std::span<const ImageButton> buttons, QPoint at);

class ImageButtonMouse {
  public:
    struct Handlers {
        std::function<void(int)> down;
        std::function<void(int, bool held)> move;
        std::function<void(int)> up;
    };

    // Each returns whether a button took the event.
    bool press(std::span<const ImageButton> buttons, QPoint at, const Handlers& h);
    bool move(std::span<const ImageButton> buttons, QPoint at, bool held, const Handlers& h);
    bool release(std::span<const ImageButton> buttons, QPoint at, const Handlers& h);

  private:
    int captured_ = -1;
};

}  // namespace kroda::widgets
