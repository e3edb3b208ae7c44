// The strong computer answers offers by playing the game out both ways, at once, and never
// buys itself out of the game.
#include "computer/look_ahead.h"
#include "computer/offer_value.h"
#include "support/game_harness.h"

#include <gtest/gtest.h>

namespace kroda::testing {
namespace {

void strongSeatOne(GameHarness& h) {
    h.load();
    h.player(1).Strong = true;
}

// Against three others: the answer comes in the same tick as the offer opens, a scripted
// answer comes first, and a price that is all it has is refused rather than ruin it. The
// weighing it falls back on in a close call refuses a plot when an opponent's built-up plot a
// throw ahead would then ruin it, and builds on its own plot when it is rich.
TEST(StrongComputer, AnswersAtOnceAndNeverBuysItselfOut) {
    {
        GameHarness h(4);
        strongSeatOne(h);
        h.player(1).Money = Currency::fromUnits(6000);
        h.land(9);
        EXPECT_EQ(h.s().CurPlayer, 2) << "the answer came within the landing's tick";
        EXPECT_EQ(h.port.beeps, 0);
        EXPECT_EQ(h.player(1).Money, Currency::fromUnits(h.square(9).Owner == 1 ? 4800 : 6000));
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
    }
    {
        GameHarness h(4);
        strongSeatOne(h);
        h.player(1).Position = 9;
        h.player(1).Money = Currency::fromUnits(6000);
        EXPECT_TRUE(takesOffer(h.s(), 1));
        h.square(16).Owner = 2;
        h.square(16).Buildings = 3;  // 5500 a landing, seven squares on
        h.player(2).Owned(1) = 17;
        EXPECT_EQ(chargeAt(h.s(), 1, 16), Currency::fromUnits(5500));
        EXPECT_EQ(chargeAt(h.s(), 2, 16), Currency{});
        EXPECT_FALSE(takesOffer(h.s(), 1));
    }
    {
        GameHarness h(4);
        strongSeatOne(h);
        h.player(1).Position = 9;
        h.square(9).Owner = 1;
        h.square(9).Buildings = 1;
        h.player(1).Owned(1) = 10;
        EXPECT_EQ(rentAfterPurchase(h.s(), 1, 9), Currency::fromUnits(1000));
        EXPECT_TRUE(takesOffer(h.s(), 1));
    }
}

// The look-ahead plays the same moment out with the same dice, and a purchase that would
// leave nothing loses every play.
TEST(StrongComputer, LooksAheadTheSameWayEveryTime) {
    GameHarness h(4);
    strongSeatOne(h);
    h.player(1).Position = 9;
    const LookAheadVerdict first = lookAhead(h.s(), 1);
    const LookAheadVerdict again = lookAhead(h.s(), 1);
    ASSERT_GE(first.gamesPlayed, 100);
    EXPECT_EQ(first.gamesPlayed, again.gamesPlayed);
    EXPECT_EQ(first.winsTaking, again.winsTaking);
    EXPECT_EQ(first.winsRefusing, again.winsRefusing);
    EXPECT_GT(first.winsRefusing, 0);
    h.player(1).Money = Currency::fromUnits(1200);
    const LookAheadVerdict ruin = lookAhead(h.s(), 1);
    EXPECT_EQ(ruin.winsTaking, 0);
}

// Alone against one other, its weighing leaves him the plots dearer than a fifth of its
// money and still takes the cheap ones; the designed computer beside it is untouched.
TEST(StrongComputer, HeadToHeadWeighingLeavesTheDearPlots) {
    GameHarness h(2);
    strongSeatOne(h);
    h.player(1).Position = 39;
    EXPECT_FALSE(takesOffer(h.s(), 1));
    h.player(1).Position = 9;
    EXPECT_TRUE(takesOffer(h.s(), 1));
    EXPECT_FALSE(h.player(2).Strong);
}

}  // namespace
}  // namespace kroda::testing
