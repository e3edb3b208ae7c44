// Money changes hands in one place, so that the ledger holds every movement.
#include "game/game.h"

namespace kroda {

void Game::transfer(Integer payer, Integer payee, Currency amount, PaymentCause cause) {
    if (GameState::isSeat(payer))
        state.Players(payer).Money -= amount;
    if (GameState::isSeat(payee))
        state.Players(payee).Money += amount;
    ledger.record(payer, payee, amount, cause);
}

}  // namespace kroda
