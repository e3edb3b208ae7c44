// The one rule for the amount that belongs to a square in its present state.
#include "game/game.h"

#include <span>

namespace kroda {

namespace {
// How many squares of a group share the owner of `owner`.
int sameOwner(const GameState& s, std::span<const Integer> group, Integer owner) {
    int n = 0;
    for (const Integer position : group) {
        if (s.Squares(position + 1).Owner == owner)
            ++n;
    }
    return n;
}
}  // namespace

Currency Game::amountOf(Integer position) const {
    if (!GameState::isSquareIndex(position))
        return {};
    const Square& sq = state.Squares(position + 1);
    switch (sq.Kind) {
        case Start:
        case Rest:
        case GoToJail:
        case Tax:
            return sq.Price;
        case Land: {
            const int level = sq.Buildings + 1;
            return sq.Rent.inBounds(level) ? sq.Rent(level) : Currency{};
        }
        case HotelSite:
            return sq.Rent(sameOwner(state, kHotelGroup, sq.Owner));
        case PairSite:
            return sq.Rent(sameOwner(state, kPairGroup, sq.Owner));
        default:
            return {};
    }
}

QString Game::PriceCheck(Integer position) {
    if (!GameState::isSquareIndex(position))
        return {};
    switch (state.Squares(position + 1).Kind) {
        case Start:
        case Land:
        case HotelSite:
        case PairSite:
        case Rest:
        case GoToJail:
        case Tax:
            return amountOf(position).toPlainText();
        default:
            return {};
    }
}

}  // namespace kroda
