// A player's face in his panel: one of five expressions of his own strip.
#include "game/game.h"

namespace kroda {

void Game::CFace(Integer player, Integer face) {
    if (!GameState::isSeat(player) || face < 1 || face > 5)
        return;
    Image& img = window.ImgPlayer[player - 1];
    img.Strip = static_cast<Integer>(player + 3);
    img.Cell = static_cast<Integer>(face - 1);
}

}  // namespace kroda
