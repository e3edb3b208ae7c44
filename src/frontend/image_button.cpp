#include "frontend/image_button.h"

#include <cstddef>

namespace kroda {

ImageButtonRow::ImageButtonRow(std::span<ImageButton> buttons, ImageButtonStyle style,
                               Label* description)
    : buttons_(buttons), style_(style), description_(description) {}

bool ImageButtonRow::isPressed(int i) const {
    const ImageButton& b = buttons_[static_cast<std::size_t>(i)];
    return b.Icon.Geometry.Top == style_.pressedTop(b);
}

void ImageButtonRow::press(ImageButton& b) {
    b.Button.Cell = PressedCell;
    b.Icon.Geometry.Left += 1;
    b.Icon.Geometry.Top = style_.pressedTop(b);
    b.Text.Geometry.Left += 1;
    b.Text.Geometry.Top += 2;
}

bool ImageButtonRow::mouseDown(int i) {
    if (isPressed(i))
        return false;
    press(buttons_[static_cast<std::size_t>(i)]);
    return true;
}

void ImageButtonRow::mouseMove(int i, bool held) {
    ImageButton& b = buttons_[static_cast<std::size_t>(i)];
    if (held) {
        if (isPressed(i))
            return;
        press(b);
    }
    for (std::size_t k = 0; k < buttons_.size(); ++k) buttons_[k].Button.Cell = NormalCell;
    b.Button.Cell = HighlightCell;
    if (description_ != nullptr)
        description_->Caption = b.HoverText;
}

void ImageButtonRow::mouseUp(int i) {
    ImageButton& b = buttons_[static_cast<std::size_t>(i)];
    if (b.Icon.Geometry.Top == style_.restTop(b))
        return;
    b.Button.Cell = HighlightCell;
    b.Icon.Geometry.Left -= 1;
    b.Icon.Geometry.Top -= 2;
    b.Text.Geometry.Left -= 1;
    b.Text.Geometry.Top -= 2;
}

void ImageButtonRow::reset() {
    for (ImageButton& b : buttons_) {
        b.Button.Cell = NormalCell;
        if (b.Icon.Geometry.Top != style_.restTop(b)) {
            b.Icon.Geometry.Left -= 1;
            b.Icon.Geometry.Top = style_.restTop(b);
            b.Text.Geometry.Left -= 1;
            b.Text.Geometry.Top -= 2;
        }
    }
}

}  // namespace kroda
