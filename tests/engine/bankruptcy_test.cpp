// Bankruptcy and the end of the game.
#include "support/game_harness.h"

#include <gtest/gtest.h>

namespace kroda::testing {
namespace {

// A bankrupt player's squares go back to the bank bare, their markers and buildings leave
// the board (the last square of every side too), his label reads "ล้มละลาย", his face is
// 5 and his token leaves the board.
TEST(Bankruptcy, SquaresReturnToTheBank) {
    GameHarness h(4);
    h.load();
    int slot = 1;
    for (int pos : {9, 19, 29, 39, 5}) {
        h.s().CurPlayer = 2;
        h.square(pos).Owner = 2;
        h.square(pos).Buildings = 5;
        h.player(2).Owned(slot++) = static_cast<Integer>(pos + 1);
        h.game.HouseCreate(static_cast<Integer>(pos), OwnerMarker);
        h.game.HouseCreate(static_cast<Integer>(pos), BuildingsOnEdge);
    }
    h.game.GameOver(h.s().CurPlayer);
    for (int pos : {9, 19, 29, 39, 5}) {
        EXPECT_EQ(h.square(pos).Owner, 0);
        EXPECT_EQ(h.square(pos).Buildings, 0);
    }
    for (int k : {8, 17, 26, 35, 4}) {
        EXPECT_EQ(h.game.window.ImgBottom[k].Cell, 0) << k;
        EXPECT_EQ(h.game.window.ImgHead[k].Cell, 0) << k;
    }
    EXPECT_EQ(h.player(2).Owned(1), 10) << "the list keeps its old values";
    EXPECT_EQ(h.game.window.LblPMoney[1].Caption, QStringLiteral("ล้มละลาย"));
    EXPECT_EQ(h.game.window.ImgPlayer[1].Cell, 4);
    EXPECT_FALSE(h.game.window.ShpMark[1].Visible);
}

// With four players the first two bankruptcies are narrated and play goes on past them; the
// third names the winner, the one player not bankrupt, even when a bankrupt player with a
// lower number still has money on his record.
TEST(Bankruptcy, TheLastPlayerLeftWins) {
    GameHarness h(4);
    h.loadAndRank({9, 8, 7, 6});
    h.s().CurPlayer = 1;
    h.game.GameOver(h.s().CurPlayer);
    h.player(1).Money = Currency::fromUnits(100);
    ASSERT_TRUE(h.runUntilNarrated(16));
    EXPECT_EQ(h.lastMessage(), QStringLiteral("'ผู้เล่น:1' ล้มละลาย"));
    ASSERT_TRUE(h.runUntilNarrated(12));
    EXPECT_EQ(h.s().CurPlayer, 2);
    h.game.GameOver(h.s().CurPlayer);
    EXPECT_EQ(h.s().TalkStep, 16);
    h.s().CurPlayer = 4;
    h.game.GameOver(h.s().CurPlayer);
    EXPECT_EQ(h.s().CurPlayer, 3);
    ASSERT_TRUE(h.runUntilNarrated(17));
    EXPECT_EQ(h.lastMessage(), QStringLiteral("'ผู้เล่น:3' เป็นผู้ชนะ"));
    EXPECT_EQ(h.game.window.LblKeyT[0].Caption, QStringLiteral("ซ้าย"));
    EXPECT_EQ(h.game.window.LblKeyT[1].Caption, QStringLiteral("ขวา"));
    EXPECT_EQ(h.game.window.LblKeyT[2].Caption, QStringLiteral("ลง"));
    EXPECT_EQ(h.game.window.ShpTaoPad.FillColor, h.player(3).Color);
    EXPECT_FALSE(h.game.timers.TimerTalk.Enabled());
}

}  // namespace
}  // namespace kroda::testing
