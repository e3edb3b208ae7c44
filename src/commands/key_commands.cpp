// The players' keys: throws while a throw is awaited, yes and no while an offer is open.
#include "game/game.h"

#include <limits>

namespace kroda {

void Game::keyPressed(int keyCode, int shift) {
    if (localPlayHeld && localPlayHeld())
        return;
    // The card window is modal: while it is shown it takes every key.
    if (cardOpen()) {
        FrmCard_KeyDown(keyCode, shift);
        return;
    }
    if (window.KeyPreview)
        Form_KeyDown(keyCode, shift);
    TxtDialog_KeyDown(keyCode, shift);
}

void Game::Form_KeyDown(int keyCode, int) {
    // A code no key of the game can have matches none of the players' keys.
    const Integer code = keyCode >= 0 && keyCode <= std::numeric_limits<Integer>::max()
                             ? static_cast<Integer>(keyCode)
                             : Integer{-1};
    switch (state.InputMode) {
        case RankingThrow:
        case MoveThrow:
            TaoProc(code, ThrowByKey);
            ResolveThrow();
            break;
        case YesNoAnswer: {
            if (!GameState::isSeat(state.CurPlayer))
                return;
            const Player& p = state.Players(state.CurPlayer);
            answerOffer(code == p.KeyCode(1)   ? OfferAnswer::Yes
                        : code == p.KeyCode(3) ? OfferAnswer::No
                                               : OfferAnswer::WrongKey);
            break;
        }
        default:
            break;
    }
}

}  // namespace kroda
