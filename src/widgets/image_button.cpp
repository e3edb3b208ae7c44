#include "widgets/image_button.h"

#include "widgets/control_painter.h"

namespace kroda::widgets {

int imageButtonAt(std::span<const ImageButton> buttons, QPoint at) {
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const Image& b = buttons[i].Button;
        if (b.Visible && toQRect(b.Geometry).contains(at))
            return static_cast<int>(i);
    }
    return -1;
}

bool ImageButtonMouse::press(std::span<const ImageButton> buttons, QPoint at, const Handlers& h) {
    const int i = imageButtonAt(buttons, at);
    if (i < 0)
        return false;
    captured_ = i;
    h.down(i);
    return true;
}

bool ImageButtonMouse::move(std::span<const ImageButton> buttons, QPoint at, bool held,
                            const Handlers& h) {
    const int i = held && captured_ >= 0 ? captured_ : imageButtonAt(buttons, at);
    if (i < 0)
        return false;
    h.move(i, held);
    return true;
}

bool ImageButtonMouse::release(std::span<const ImageButton> buttons, QPoint at, const Handlers& h) {
    const int i = captured_ >= 0 ? captured_ : imageButtonAt(buttons, at);
    captured_ = -1;
    if (i < 0)
        return false;
    h.up(i);
    return true;
}

}  // namespace kroda::widgets
