#pragma once
// The front-end windows' own kinds of control as plain data, beside the game window's
// pictures, labels, text boxes and shapes.

#include "screen/controls.h"

#include <QString>

namespace kroda {

// A page panel: it covers what lies below it while it is visible.
struct Panel {
    Rect Geometry;
    bool Visible = false;
};

struct OptionButton {
    Rect Geometry;
    QString Caption;
    bool Value = false;
    bool Visible = true;
};

struct CheckBox {
    Rect Geometry;
    QString Caption;
    bool Value = false;
    bool Visible = true;
    bool Enabled = true;  // a disabled box shows its value and takes no click
};

// A name box: a text box that takes at most MaxLength characters.
struct NameBox {
    TextBox Box;
    int MaxLength = 12;
    int SelLength = 0;
};

}  // namespace kroda
