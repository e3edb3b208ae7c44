#pragma once
// The strong computer's answer to an offer: it weighs the price against its money, the
// charges waiting for it on the squares ahead, and what the square or the building will earn
// from the others. It draws no lots, so the same moment always gets the same answer.

#include "model/game_state.h"
#include "model/value_types.h"

namespace kroda {

// What `player` would pay on landing at `position` now: another player's rent, a tax, the
// go-to-jail fine or the dearest card the square's deck may ask for; 0 elsewhere.
Currency chargeAt(const GameState& state, Integer player, Integer position);

// The money `player` keeps back before he buys: enough for the dearest charge he can meet on
// the squares one throw ahead, and more when the board behind them is dear.
Currency reserveOf(const GameState& state, Integer player);

// The rent the square at `position` would bring `owner` with one more purchase on it: the
// next building, or the square itself with the rest of his group.
Currency rentAfterPurchase(const GameState& state, Integer owner, Integer position);

// Whether `player`, a strong computer, takes the offer open to him at his position. He never
// leaves himself with nothing.
bool takesOffer(const GameState& state, Integer player);

}  // namespace kroda
