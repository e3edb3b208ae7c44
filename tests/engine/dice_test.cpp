// Throw requests, the dice flicker and the random dice.
#include "support/game_harness.h"

#include <gtest/gtest.h>

namespace kroda::testing {
namespace {

// A person may throw the dice one by one: a die already thrown, the both-dice key after
// one die and any other key are refused with a beep and change nothing; the die not yet
// thrown keeps flickering, the thrown one keeps its face.
TEST(Dice, ThrowRequestsOneDieAtATime) {
    GameHarness h(2, {1});
    h.load();
    ASSERT_TRUE(h.runUntil([&] { return h.game.window.KeyPreview; }));
    GameWindow& w = h.game.window;
    EXPECT_EQ(w.LblKeyT[0].Caption, QStringLiteral("S"));
    EXPECT_EQ(w.LblKeyT[1].Caption, QStringLiteral("F"));
    EXPECT_EQ(w.LblKeyT[2].Caption, QStringLiteral("D"));
    h.dice({4});
    h.game.keyPressed('S', 0);
    EXPECT_EQ(h.s().Die1, 4);
    EXPECT_EQ(w.ImgTao[0].Cell, 3);
    EXPECT_EQ(w.LblKeyT[0].Caption, QStringLiteral("---"));
    EXPECT_EQ(w.LblKeyT[1].Caption, QStringLiteral("F"));
    EXPECT_EQ(w.LblKeyT[2].Caption, QStringLiteral("---"));
    EXPECT_EQ(h.port.sounds, QStringList{QStringLiteral("/game/Sound/503.wav")});
    h.game.keyPressed('S', 0);
    h.game.keyPressed('D', 0);
    h.game.keyPressed('Q', 0);
    h.game.ImgTao_Click(2);
    EXPECT_EQ(h.port.beeps, 4);
    EXPECT_EQ(h.port.sounds.size(), 1);
    EXPECT_EQ(h.s().Die2, 0);
    QSet<int> seen;
    for (int frame = 0; frame < 20; ++frame) {
        h.clock.advance(200);
        EXPECT_EQ(w.ImgTao[0].Cell, 3);
        seen.insert(w.ImgTao[1].Cell);
    }
    EXPECT_GT(seen.size(), 2);
    h.dice({2});
    h.game.ImgTao_Click(1);
    EXPECT_EQ(h.player(1).Steps, 6);
    EXPECT_FALSE(w.KeyPreview);
    EXPECT_FALSE(w.ImgTao[0].Enabled || w.ImgTao[1].Enabled || w.ImgTao[2].Enabled);
    EXPECT_TRUE(h.game.timers.TimerTalk.Enabled());
}

// Dice come from the generator, two successive draws for a both-dice throw even at the same
// time of day; only dice 1 and 2 exist; the flicker never takes the scripted values.
TEST(Dice, DiceAreDrawnOnePerDie) {
    GameHarness h;
    int doubles = 0;
    QSet<int> faces;
    for (int i = 0; i < 600; ++i) {
        const Integer a = h.game.TaoCal(1);
        const Integer b = h.game.TaoCal(2);
        faces.insert(a);
        doubles += a == b;
    }
    EXPECT_EQ(faces, (QSet<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_GT(doubles, 50);
    EXPECT_LT(doubles, 150);
    EXPECT_EQ(h.game.TaoCal(3), 0);

    h.dice({6, 5});
    h.s().AnimMode = DiceFlicker;
    for (int i = 0; i < 5; ++i) h.game.AnimateTimer_Timer();
    EXPECT_EQ(h.game.TaoCal(1), 6);
    EXPECT_EQ(h.game.TaoCal(2), 5);
}

}  // namespace
}  // namespace kroda::testing
