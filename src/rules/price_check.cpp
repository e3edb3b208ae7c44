// The one rule for the amount that belongs to a square in its present state.
#include "game/game.h"

namespace kroda {

namespace {
// How many squares of a group share the owner of `owner`.
int sameOwner(const GameState& s, std::initializer_list<int> group, Integer owner) {
    int n = 0;
    for (int number : group) {
        if (s.Squares(number).Owner == owner)
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
            // The five hotels are fixed by their places on the board, not by their kind.
            return sq.Rent(sameOwner(state, {5, 6, 16, 26, 36}, sq.Owner));
        case PairSite:
            return sq.Rent(sameOwner(state, {13, 29}, sq.Owner));
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
