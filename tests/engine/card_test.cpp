// The two decks and the card window.
#include "support/game_harness.h"

#include <gtest/gtest.h>

namespace kroda::testing {
namespace {

// A treasure card shows its text and amount on the deck's colour and pays at once; the window
// waits for a key, which closes it, advances the deck (the 20th card is followed by the 1st)
// and passes the turn.
TEST(Cards, TreasureCardPaysAndTheDeckWraps) {
    GameHarness h(2);
    h.load();
    h.s().NextCard1 = 20;
    h.land(2);
    const CardWindow& w = h.game.window.FrmCard;
    EXPECT_TRUE(w.Visible);
    EXPECT_EQ(w.TxtCrd.Text, QStringLiteral("ทรัพย์ 20 ฿200.00"));
    EXPECT_EQ(w.TxtCrd.BackColor, 0xFFFF00);
    EXPECT_EQ(h.player(1).Money, Currency::fromUnits(15200));
    EXPECT_EQ(h.game.window.LblPMoney[0].Caption, QStringLiteral("฿15,200.00"));
    EXPECT_EQ(h.game.window.ImgPlayer[0].Cell, 2);
    h.clock.advance(10000);
    EXPECT_EQ(h.s().CurPlayer, 1) << "the turn waits for the card window";
    h.game.ImgTable_Click(3);
    h.game.ImgDescripter_Click();
    EXPECT_EQ(h.port.deedCards, 0) << "the card window is modal";
    h.game.keyPressed('Q', 0);
    EXPECT_FALSE(w.Visible);
    EXPECT_EQ(h.s().NextCard1, 1);
    EXPECT_EQ(h.s().CurPlayer, 2);
}

// With the bankrupt card the fortune deck has 21 cards: the 21st shows "ล้มละลาย" and the
// amount 0, takes all the drawer's money and bankrupts him when the window closes, and the
// next draw is card 1; without it the 20th is followed by the 1st.
TEST(Cards, TheTwentyFirstFortuneCardBankrupts) {
    GameHarness h(3, {}, true);
    h.load();
    h.s().NextCard2 = 20;
    h.land(7);
    EXPECT_EQ(h.game.window.FrmCard.TxtCrd.BackColor, 0xFF00FF);
    EXPECT_EQ(h.player(1).Money, Currency::fromUnits(15000 - 200));
    h.game.TxtCrd_MouseDown(1, 0, 5, 5);
    EXPECT_EQ(h.s().NextCard2, 21);
    h.land(7);
    EXPECT_EQ(h.game.window.FrmCard.TxtCrd.Text, QStringLiteral("ล้มละลาย ฿0.00"));
    EXPECT_EQ(h.player(1).Money, Currency{});
    EXPECT_EQ(h.game.window.ImgPlayer[0].Cell, 4);
    EXPECT_FALSE(h.player(1).Bankrupt) << "not before the window closes";
    h.game.keyPressed(' ', 0);
    EXPECT_TRUE(h.player(1).Bankrupt);
    EXPECT_EQ(h.s().NextCard2, 1);
    EXPECT_EQ(h.s().TalkStep, 16);

    GameHarness plain(2);
    plain.load();
    plain.s().NextCard2 = 20;
    plain.land(7);
    plain.game.keyPressed(' ', 0);
    EXPECT_EQ(plain.s().NextCard2, 1);
}

// A lose-all card empties the drawer only from the fortune deck; in the treasure deck it
// is only shown. A card that takes exactly all his money bankrupts him on closing.
TEST(Cards, LoseAllAndExactlyZero) {
    GameHarness h(2);
    h.load();
    h.s().Deck1(1).Action = 10;
    h.land(2);
    EXPECT_EQ(h.player(1).Money, Currency::fromUnits(15000));
    h.game.keyPressed(' ', 0);
    h.s().Deck2(1) = Card{QStringLiteral("เสียหมด"), 10, 0};
    h.land(7);
    EXPECT_EQ(h.player(1).Money, Currency{});
    EXPECT_EQ(h.game.window.LblPMoney[0].Caption, QStringLiteral("฿15,000.00"));
    h.game.keyPressed(' ', 0);
    EXPECT_EQ(h.game.window.LblPMoney[0].Caption, QStringLiteral("ล้มละลาย"));

    GameHarness zero(2);
    zero.load();
    zero.player(1).Money = Currency::fromUnits(10);
    zero.land(7);
    zero.game.keyPressed(' ', 0);
    EXPECT_TRUE(zero.player(1).Bankrupt);
    EXPECT_EQ(zero.s().TalkStep, 17);
}

}  // namespace
}  // namespace kroda::testing
