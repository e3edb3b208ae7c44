// The turn sequencer: the ranking, the steps of a turn, doubles and passing the turn.
#include "support/game_harness.h"

#include <gtest/gtest.h>

namespace kroda::testing {
namespace {

QString name(int p) {
    return QStringLiteral("ผู้เล่น:%1").arg(p);
}

// Totals enter the play order by descending total: 7, 9 give "21", then 8 "231", then 10
// "4231"; a fourth 8 ties and is thrown again, a double records nothing; the faces follow
// the ranking and the first in the order plays first.
TEST(Sequencer, RankingOrdersThePlayersByTotal) {
    GameHarness h(4);
    h.load();
    h.dice({3, 3, 1, 6, 3, 6, 2, 6, 3, 5, 4, 6});
    ASSERT_TRUE(h.runUntilStep(10));
    EXPECT_EQ(h.s().TurnQueue.trimmed(), QString());
    EXPECT_EQ(h.player(1).Steps, 0);
    EXPECT_EQ(h.s().DoublesCount, 0);
    const char* queues[] = {"1", "21", "231"};
    for (const char* q : queues) {
        ASSERT_TRUE(h.runUntilNarrated(9));
        EXPECT_EQ(h.s().TurnQueue.trimmed(), QLatin1String(q));
    }
    ASSERT_TRUE(h.runUntilStep(11));
    EXPECT_EQ(h.s().TurnQueue.trimmed(), QStringLiteral("231"));
    ASSERT_TRUE(h.runUntilNarrated(8));
    EXPECT_EQ(h.s().TurnQueue.raw(), QStringLiteral("4231"));
    EXPECT_EQ(h.messages(7).at(0), QStringLiteral("การจัดอันดับเสร็จสิ้นแล้ว ผลออกมาดังนี้ 1:") + name(4) +
                                       ", 2:" + name(2) + ", 3:" + name(3) + ", 4:" + name(1));
    const int faceCell[5] = {0, 4, 1, 3, 2};  // players 1..4: faces 5, 2, 4, 3
    for (int p = 1; p <= 4; ++p) EXPECT_EQ(h.game.window.ImgPlayer[p - 1].Cell, faceCell[p]);
    EXPECT_EQ(h.s().CurPlayer, 4);
    ASSERT_TRUE(h.runUntilNarrated(12));
    EXPECT_EQ(h.lastMessage(), QStringLiteral("ขอเชิญ '") + name(4) + "' โยนลูกเต๋า");
    EXPECT_EQ(h.messages(3).at(0),
              QStringLiteral("ขอเชิญ'") + name(1) + QStringLiteral("'โยนลูกเต๋าเพื่อจัดอันดับครับ"));
}

// With two players the ranking ends after player 2, with three after player 3, and the
// result names only those taking part.
TEST(Sequencer, RankingEndsWithTheLastPlayer) {
    GameHarness two(2);
    two.loadAndRank({5, 8});
    EXPECT_EQ(two.messages(7).at(0),
              QStringLiteral("การจัดอันดับเสร็จสิ้นแล้ว ผลออกมาดังนี้ 1:") + name(2) + ", 2:" + name(1));
    EXPECT_TRUE(two.messages(5).empty());
    GameHarness three(3);
    three.loadAndRank({5, 8, 6});
    EXPECT_EQ(three.s().TurnQueue.raw(), QStringLiteral("231 "));
    EXPECT_TRUE(three.messages(6).empty());
    EXPECT_TRUE(three.messages(7).at(0).endsWith(QStringLiteral(", 3:") + name(1)));
}

// The face after a throw follows its total: 3 gives 5, 6 gives 1, 7 gives 2, 11 gives 3,
// 4 and 5 give 4.
TEST(Sequencer, FaceFollowsTheTotalOfAThrow) {
    const int throws[6][2] = {{1, 2}, {2, 4}, {3, 4}, {5, 6}, {1, 3}, {2, 3}};
    const int faces[] = {5, 1, 2, 3, 4, 4};
    for (int i = 0; i < 6; ++i) {
        GameHarness h(2);
        h.load();
        h.dice({throws[i][0], throws[i][1]});
        ASSERT_TRUE(h.runUntilNarrated(9));
        EXPECT_EQ(h.game.window.ImgPlayer[0].Cell, faces[i] - 1) << i;
    }
}

// Two doubles ask for a new throw, the third ends the turn without a move; the next
// player's first double is only a first; a non-double after doubles moves by itself only.
TEST(Sequencer, ThreeDoublesLoseTheMove) {
    GameHarness h(2);
    h.loadAndRank({7, 5});
    h.dice({2, 2, 3, 3, 4, 4, 5, 5, 1, 2});
    ASSERT_TRUE(h.runUntilNarrated(15));
    EXPECT_EQ(h.messages(10).size(), 2u);
    EXPECT_EQ(h.lastMessage(), QStringLiteral("ลูกเต๋าซ้ำกันครบ 3 ครั้ง หยุดเดิน 1 ครั้ง"));
    EXPECT_EQ(h.player(1).Position, 0);
    EXPECT_EQ(h.game.window.ImgPlayer[0].Cell, 4);
    ASSERT_TRUE(h.runUntilNarrated(12));
    EXPECT_EQ(h.s().CurPlayer, 2);
    ASSERT_TRUE(h.runUntilNarrated(10));
    EXPECT_EQ(h.s().DoublesCount, 1);
    ASSERT_TRUE(h.runUntilNarrated(13));
    EXPECT_EQ(h.player(2).Position, 3);
    EXPECT_EQ(h.s().DoublesCount, 0);
}

// The turn passes along the play order, never to a bankrupt player, and a player with
// SkipTurns 2 is passed over twice, losing one each time; the outgoing token goes back to
// its own place.
TEST(Sequencer, NextQSkipsBankruptAndSittingOutPlayers) {
    GameHarness h(4);
    h.load();
    h.standOn(1, 5);
    h.game.PutTao(1, 5, 5);
    h.player(2).Bankrupt = true;
    h.player(3).SkipTurns = 2;
    const int expected[] = {4, 1, 4, 1, 3};
    for (int turn : expected) {
        h.game.NextQ();
        EXPECT_EQ(h.s().CurPlayer, turn);
    }
    EXPECT_EQ(h.player(3).SkipTurns, 0);
    EXPECT_EQ(h.s().TalkStep, 12);
    EXPECT_TRUE(h.game.timers.TimerTalk.Enabled());
    EXPECT_EQ(h.game.window.ShpMark[0].Geometry, (Rect{184, 352, 16, 16}));

    GameHarness three(3);
    three.load();
    three.s().TurnQueue = QStringLiteral("312");
    three.s().CurPlayer = 2;
    three.game.NextQ();
    EXPECT_EQ(three.s().CurPlayer, 3);
}

}  // namespace
}  // namespace kroda::testing
