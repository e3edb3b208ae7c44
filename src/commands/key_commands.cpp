// The players' keys: throws while a throw is awaited, yes and no while an offer is open.
#include "game/game.h"

#include <limits>

namespace kroda {

void Game::keyPressed(int keyCode, int shift) {
    const EventScope event{*this};
    // The card window is modal: while it is shown it takes every key.
    if (modalCardOpen()) {
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
            TaoProc(code, 1);
            ResolveThrow();
            break;
        case YesNoAnswer: {
            const Integer cur = state.CurPlayer;
            if (cur < 1 || cur > 4)
                return;
            const Player& p = state.Players(cur);
            if (code == p.KeyCode(1)) {
                AcceptPurchase(cur);
                CloseOffer(cur, OfferAnswer::Yes);
            } else if (code == p.KeyCode(3)) {
                CloseOffer(cur, OfferAnswer::No);
            } else {
                CloseOffer(cur, OfferAnswer::WrongKey);
            }
            break;
        }
        default:
            break;
    }
}

}  // namespace kroda
