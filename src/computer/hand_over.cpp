// A seat handed to the computer: from now on the sequencer asks the computer for its throws
// and answers, and a throw or an offer the game is waiting on is answered at once.
#include "game/game.h"

namespace kroda {

void Game::handToComputer(Integer player) {
    if (!GameState::isSeat(player) || !state.Players(player).IsHuman)
        return;
    const bool awaited = state.CurPlayer == player && awaitsPerson();
    state.Players(player).IsHuman = false;
    if (!awaited)
        return;
    CPControl();
}

}  // namespace kroda
