#pragma once
// The image buttons of the title screen, the wizard and the about window: a picture showing a
// cell of a three-cell strip (0 normal, 1 highlighted, 2 pressed) with an icon, or a text
// label, on it. The icon's height is the button's state: up at its rest top, pressed one
// pixel right and two down. The icon takes no mouse input of its own.

#include "screen/controls.h"

#include <QString>

#include <span>

namespace kroda {

enum ButtonCell : Integer { NormalCell = 0, HighlightCell = 1, PressedCell = 2 };

struct ImageButton {
    Image Button;  // a cell of the window's strip
    Image Icon;    // a picture of the window's own design, drawn over the button
    Label Text;    // in place of the icon where a window labels its buttons
    QString HoverText;
};

// What differs between the windows: the strip and the icons' rest top.
struct ImageButtonStyle {
    Integer Strip;
    int RestTop;
    // When set, each icon rests this far below its own button's top instead of at RestTop: a
    // row whose buttons stand at different heights.
    int IconInset = 0;
    int restTop(const ImageButton& b) const {
        return IconInset != 0 ? b.Button.Geometry.Top + IconInset : RestTop;
    }
    int pressedTop(const ImageButton& b) const { return restTop(b) + 2; }
};

// The one behaviour every window's buttons share. `description` may be null: a window
// without a description label.
class ImageButtonRow {
  public:
    ImageButtonRow(std::span<ImageButton> buttons, ImageButtonStyle style, Label* description);

    // A mouse button went down on button i. True when this press starts the button's
    // action (after the click sound); false when the button was already down.
    bool mouseDown(int i);
    // The pointer moved over button i, with a mouse button held or not.
    void mouseMove(int i, bool held);
    void mouseUp(int i);
    // Every button back to its normal cell with its icon up.
    void reset();

    bool isPressed(int i) const;

  private:
    void press(ImageButton& b);

    std::span<ImageButton> buttons_;
    ImageButtonStyle style_;
    Label* description_;
};

}  // namespace kroda
