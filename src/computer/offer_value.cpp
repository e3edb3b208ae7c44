#include "computer/offer_value.h"

#include "model/codes.h"

#include <algorithm>
#include <cstdint>
#include <span>

namespace kroda {

namespace {

// The figures below were tuned with kroda-headless's simulate against the designed computer
// on the default board (README: "The strong computer").

// Against several players the whole ring ahead is dangerous: their squares fill up and build
// up while the strong computer goes round. Alone against one, the next throw or so is what
// counts, and a dear plot is left to him: he buys a third of what he lands on, without
// looking at his money, and a dear plot is what ruins him.
constexpr int kReachAgainstMany = kSquareCount - 1;
constexpr int kReachAgainstOne = 12;
constexpr int kDearPlotShareAgainstOne = 5;  // a plot dearer than a fifth of the money

// How many times the reserve the money left must exceed, in tenths, by what is bought.
constexpr int kPlotMargin[2] = {15, 10};  // against many, against one
constexpr int kBuildingMargin[2] = {10, 15};
constexpr int kGroupMargin = 5;  // a hotel or one of the pair: the group's rents multiply
// Against many, an offer that raises the rents it touches by at least kRichGain tenths of its
// cost is worth a thinner margin, and a poorer one a thicker (both in tenths of the margin).
constexpr int kRichGain = 15;
constexpr int kRichMargin = 3;
constexpr int kPoorMargin = 13;

const Square& squareAt(const GameState& state, int position) {
    return state.Squares(position % kSquareCount + 1);
}

std::span<const Integer> groupOf(const Square& s) {
    return s.Kind == HotelSite ? std::span<const Integer>(kHotelGroup)
                               : std::span<const Integer>(kPairGroup);
}

int ownedInGroup(const GameState& state, std::span<const Integer> group, Integer owner) {
    int n = 0;
    for (const Integer p : group)
        if (squareAt(state, p).Owner == owner)
            ++n;
    return n;
}

Currency rentOf(const Square& s, int level) {
    return s.Rent.inBounds(level) ? s.Rent(level) : Currency{};
}

// The rent the owner of the square at `position` charges now.
Currency rentNow(const GameState& state, int position) {
    const Square& s = squareAt(state, position);
    switch (s.Kind) {
        case Land:
            return rentOf(s, s.Buildings + 1);
        case HotelSite:
            return rentOf(s, ownedInGroup(state, kHotelGroup, s.Owner));
        case PairSite:
            return rentOf(s, ownedInGroup(state, kPairGroup, s.Owner));
        default:
            return {};
    }
}

Currency dearestCard(const Deck& deck) {
    Currency dearest;
    for (int i = 1; i <= deck.size(); ++i) {
        const Card& c = deck(i);
        if (c.Action == PayAmount && c.Amount > 0)
            dearest = std::max(dearest, Currency::fromUnits(c.Amount));
    }
    return dearest;
}

// What the offer open to `player` costs him; 0 when there is nothing to buy.
Currency offerCost(const GameState& state, Integer player) {
    const Square& s = squareAt(state, state.Players(player).Position);
    if (s.Kind == Land && s.Owner == player) {
        if (s.Buildings <= 3)
            return s.HouseCost;
        return s.Buildings == 4 ? s.HotelCost : Currency{};
    }
    if (s.Owner == 0 && (s.Kind == Land || s.Kind == HotelSite || s.Kind == PairSite))
        return s.Price;
    return {};
}

// How much more rent a landing brings `player` over the squares the purchase touches: the
// square itself, and for a hotel or one of the pair every one of the group he holds.
Currency gainOf(const GameState& state, Integer player, int position) {
    const Square& s = squareAt(state, position);
    if (s.Kind == Land)
        return rentAfterPurchase(state, player, static_cast<Integer>(position)) -
               (s.Owner == player ? rentOf(s, s.Buildings + 1) : Currency{});
    const int held = ownedInGroup(state, groupOf(s), player);
    const Currency after = rentOf(s, held + 1);
    Currency gain = after;
    for (int k = 0; k < held; ++k) gain += after - rentOf(s, held);
    return gain;
}

Currency worstAhead(const GameState& state, Integer player, int reach) {
    const Integer from = state.Players(player).Position;
    Currency worst;
    for (int d = 1; d <= reach; ++d)
        worst = std::max(worst,
                         chargeAt(state, player, static_cast<Integer>((from + d) % kSquareCount)));
    return worst;
}

int opponentsLeft(const GameState& state, Integer player) {
    int n = 0;
    for (int p = 1; p <= state.PlayerCount; ++p)
        if (p != player && !state.Players(p).Bankrupt)
            ++n;
    return n;
}

}  // namespace

Currency chargeAt(const GameState& state, Integer player, Integer position) {
    const Square& s = squareAt(state, position);
    switch (s.Kind) {
        case Land:
        case HotelSite:
        case PairSite:
            return s.Owner != 0 && s.Owner != player ? rentNow(state, position) : Currency{};
        case Tax:
        case GoToJail:
            return s.Price;
        case TreasureCard:
            return dearestCard(state.Deck1);
        case FortuneCard:
            return dearestCard(state.Deck2);
        default:
            return {};
    }
}

Currency reserveOf(const GameState& state, Integer player) {
    return worstAhead(state, player,
                      opponentsLeft(state, player) == 1 ? kReachAgainstOne : kReachAgainstMany);
}

Currency rentAfterPurchase(const GameState& state, Integer owner, Integer position) {
    const Square& s = squareAt(state, position);
    if (s.Kind == Land)
        return rentOf(s, s.Owner == owner ? std::min(s.Buildings + 2, 6) : 1);
    return rentOf(s, ownedInGroup(state, groupOf(s), owner) + 1);
}

bool takesOffer(const GameState& state, Integer player) {
    if (!GameState::isSeat(player))
        return false;
    const Player& P = state.Players(player);
    const Currency cost = offerCost(state, player);
    const Currency left = P.Money - cost;
    if (cost <= Currency{} || left <= Currency{})
        return false;
    const Square& s = squareAt(state, P.Position);
    const bool alone = opponentsLeft(state, player) == 1;
    const bool building = s.Owner == player;
    if (alone && !building && s.Kind == Land &&
        cost.raw() > P.Money.raw() / kDearPlotShareAgainstOne)
        return false;
    const int side = alone ? 1 : 0;
    const std::int64_t tenths = building         ? kBuildingMargin[side]
                                : s.Kind == Land ? kPlotMargin[side]
                                                 : kGroupMargin;
    std::int64_t hundredths = tenths * 10;
    if (!alone) {
        const bool rich = gainOf(state, player, P.Position).raw() * 10 >= cost.raw() * kRichGain;
        hundredths = tenths * (rich ? kRichMargin : kPoorMargin);
    }
    // Whole units: a reserve near the money limit cannot overflow a hundred times over.
    return left.units() * 100 > reserveOf(state, player).units() * hundredths;
}

}  // namespace kroda
