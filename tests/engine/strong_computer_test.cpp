// The strong computer answers offers by their value, at once, and never buys itself out of
// the game.
#include "computer/offer_value.h"
#include "support/game_harness.h"

#include <gtest/gtest.h>

namespace kroda::testing {
namespace {

void strongSeatOne(GameHarness& h) {
    h.load();
    h.player(1).Strong = true;
}

// Against three others: a plot it can afford is bought in the same tick as the offer opens;
// the same plot is refused when an opponent's built-up plot a throw ahead would then ruin it,
// and when the price is all it has; a scripted answer comes first; its own plot is built on.
TEST(StrongComputer, AnswersByWhatTheOfferLeavesIt) {
    {
        GameHarness h(4);
        strongSeatOne(h);
        h.player(1).Money = Currency::fromUnits(6000);
        h.land(9);
        EXPECT_EQ(h.square(9).Owner, 1);
        EXPECT_EQ(h.player(1).Money, Currency::fromUnits(4800));
        EXPECT_EQ(h.s().CurPlayer, 2) << "the answer came within the landing's tick";
        EXPECT_EQ(h.port.beeps, 0);
    }
    {
        GameHarness h(4);
        strongSeatOne(h);
        h.player(1).Money = Currency::fromUnits(6000);
        h.square(16).Owner = 2;
        h.square(16).Buildings = 3;  // 5500 a landing, seven squares on
        h.player(2).Owned(1) = 17;
        EXPECT_EQ(chargeAt(h.s(), 1, 16), Currency::fromUnits(5500));
        EXPECT_EQ(chargeAt(h.s(), 2, 16), Currency{});
        h.land(9);
        EXPECT_EQ(h.square(9).Owner, 0);
        EXPECT_EQ(h.player(1).Money, Currency::fromUnits(6000));
        EXPECT_EQ(h.s().CurPlayer, 2);
    }
    {
        GameHarness h(4);
        strongSeatOne(h);
        h.player(1).Money = Currency::fromUnits(1200);
        h.land(9);
        EXPECT_EQ(h.square(9).Owner, 0);
        EXPECT_FALSE(h.player(1).Bankrupt);
        EXPECT_EQ(h.player(1).Money, Currency::fromUnits(1200));
    }
    {
        GameHarness h(4);
        strongSeatOne(h);
        h.game.scripted.answers.push_back(OfferAnswer::No);
        h.land(9);
        EXPECT_EQ(h.square(9).Owner, 0);
        EXPECT_TRUE(h.game.scripted.answers.empty());
        h.land(9);
        EXPECT_EQ(h.square(9).Owner, 1);
    }
    {
        GameHarness h(4);
        strongSeatOne(h);
        h.square(9).Owner = 1;
        h.square(9).Buildings = 1;
        h.player(1).Owned(1) = 10;
        EXPECT_EQ(rentAfterPurchase(h.s(), 1, 9), Currency::fromUnits(1000));
        h.land(9);
        EXPECT_EQ(h.square(9).Buildings, 2);
        EXPECT_EQ(h.player(1).Money, Currency::fromUnits(14500));
    }
}

// Alone against one other it leaves him the plots dearer than a fifth of its money, and
// still buys the cheap ones; the designed computer beside it is untouched.
TEST(StrongComputer, HeadToHeadLeavesTheDearPlots) {
    GameHarness h(2);
    strongSeatOne(h);
    h.land(39);
    EXPECT_EQ(h.square(39).Owner, 0);
    h.land(9);
    EXPECT_EQ(h.square(9).Owner, 1);
    EXPECT_FALSE(h.player(2).Strong);
}

}  // namespace
}  // namespace kroda::testing
