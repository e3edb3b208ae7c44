#pragma once
// Where a window sends what the user does: a procedure to run on the game. The session runs
// it after bringing the game's clock up to the moment of the input.

#include <Qt>

#include <functional>

namespace kroda {
class Game;
}

namespace kroda::widgets {

using GameInput = std::function<void(Game&)>;
using InputSink = std::function<void(const GameInput&)>;

// Mouse buttons as the handlers receive them: 1 left, 2 right, 4 middle.
int mouseButtons(Qt::MouseButtons buttons);

}  // namespace kroda::widgets
