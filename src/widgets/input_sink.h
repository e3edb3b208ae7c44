#pragma once
// Where a window sends what the user does: typed inputs, each naming the game's handler it
// stands for. A local sink applies them to the game (applyInput) after bringing the game's
// clock up to the moment of the input; a network client's sink sends them to the host.

#include "commands/control_click.h"

#include <Qt>

#include <functional>
#include <variant>

namespace kroda {
class Game;
}

namespace kroda::widgets {

using GameInput = std::function<void(Game&)>;

// A key as the game takes it: a Windows VK code and the shift bits (1 Shift, 2 Ctrl, 4 Alt).
// A key held down repeats; local play takes the repeats as presses, a network client does not.
struct KeyPress {
    int keyCode = 0;
    int shift = 0;
    bool autoRepeat = false;
    bool operator==(const KeyPress&) const = default;
};

// A click on a control (for the card's text, the press), with the point inside it. The toolbar
// has a mouse of its own (ToolbarMouse).
struct ControlClick {
    ClickableControl control = ClickableControl::ImgTao;
    int index = 0;
    int button = 1;
    int shift = 0;
    int x = 0, y = 0;
    bool operator==(const ControlClick&) const = default;
};

// The toolbar's mouse: a press, a move or a release over the icon ImgIconT(index).
struct ToolbarMouse {
    enum Phase { Down, Move, Up } phase = Down;
    int index = 0;
    int button = 0;
    int shift = 0;
    int x = 0, y = 0;
    bool operator==(const ToolbarMouse&) const = default;
};

// The deed card's title under the mouse, which drags the card's window.
struct DeedTitleMouse {
    enum Phase { Move, Up } phase = Move;
    int button = 0;
    int x = 0, y = 0;
    bool operator==(const DeedTitleMouse&) const = default;
};

// The deed card's window became active.
struct DeedActivated {
    bool operator==(const DeedActivated&) const = default;
};

using WindowInput =
    std::variant<KeyPress, ControlClick, ToolbarMouse, DeedTitleMouse, DeedActivated>;
using InputSink = std::function<void(const WindowInput&)>;

// Runs the game's handler an input stands for.
void applyInput(Game& game, const WindowInput& input);

// Mouse buttons as the handlers receive them: 1 left, 2 right, 4 middle.
int mouseButtons(Qt::MouseButtons buttons);

}  // namespace kroda::widgets
