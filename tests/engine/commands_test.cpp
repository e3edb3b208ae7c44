// The players' keys, the dice and board clicks and the toolbar.
#include "game/save_game.h"
#include "support/game_harness.h"

#include <gtest/gtest.h>

namespace kroda::testing {
namespace {

// Player 3's keys are the arrows: left throws the first die, right the second, down both;
// no key reaches the throw while the narrator speaks.
TEST(Commands, ArrowKeysOfPlayerThree) {
    for (bool both : {false, true}) {
        GameHarness h(3, {3});
        h.load();
        h.dice({3, 6, 2, 6});
        ASSERT_TRUE(h.runUntilStep(5));
        h.clock.advance(120);
        h.game.keyPressed(40, 0);
        EXPECT_EQ(h.s().Die1, 2) << "player 2's dice stay until the next request";
        EXPECT_EQ(h.s().Die2, 6);
        EXPECT_EQ(h.port.beeps, 0);
        ASSERT_TRUE(h.runUntil([&] { return h.game.window.KeyPreview; }));
        h.dice({1, 6});
        if (both) {
            h.game.keyPressed(40, 0);
        } else {
            h.game.keyPressed(37, 0);
            EXPECT_EQ(h.s().Die1, 1);
            EXPECT_EQ(h.s().Die2, 0);
            h.game.keyPressed(39, 0);
        }
        EXPECT_EQ(h.player(3).Steps, 7);
        EXPECT_EQ(h.s().TurnQueue.raw(), QStringLiteral("123 "));
    }
}

// A die picture takes clicks only while it is enabled: neither while the narrator speaks
// nor after the throw, and never for a computer player's throw.
TEST(Commands, DisabledDiceTakeNoClicks) {
    GameHarness h(2, {1});
    h.load();
    ASSERT_TRUE(h.runUntilStep(3));
    h.s().InputMode = RankingThrow;  // as if a throw were awaited
    for (int die : {0, 1, 2}) h.game.ImgTao_Click(die);
    EXPECT_EQ(h.s().Die1 + h.s().Die2, 0) << "the narrator is still speaking";
    EXPECT_EQ(h.port.beeps, 0);

    ASSERT_TRUE(h.runUntil([&] { return h.game.window.KeyPreview; }));
    h.dice({2, 5});
    h.game.ImgTao_Click(2);
    ASSERT_EQ(h.player(1).Steps, 7);
    EXPECT_FALSE(h.game.window.ImgTao[2].Enabled);
    h.game.ImgTao_Click(2);
    EXPECT_EQ(h.port.beeps, 0) << "a thrown die's picture is not a button any more";
    EXPECT_EQ(h.port.sounds.size(), 1);

    // Player 2 is a computer: his dice are never buttons, even while they flicker.
    ASSERT_TRUE(h.runUntil([&] { return h.s().CurPlayer == 2 && h.s().Die1 != 0; }));
    const Integer die1 = h.s().Die1;
    h.game.ImgTao_Click(0);
    EXPECT_EQ(h.s().Die1, die1);
    EXPECT_EQ(h.port.beeps, 0);
}

// A square click opens its deed card at any time; the toolbar buttons sink one pixel while
// pressed, show their description on hover, play the click sound and do their command.
TEST(Commands, BoardClicksAndToolbar) {
    GameHarness h;
    h.load();
    h.game.ImgTable_Click(5);
    EXPECT_EQ(h.s().ViewedSquare, 6);
    EXPECT_EQ(h.port.deedCards, 1);

    GameWindow& w = h.game.window;
    EXPECT_EQ(w.LblBDescript.Caption, QStringLiteral("คำอธิบายปุ่ม"));
    EXPECT_EQ(w.ImgIconT[1].Geometry, (Rect{88, 312, 16, 16}));
    EXPECT_EQ(w.ImgIconT[4].Geometry, (Rect{120, 312, 16, 16}));
    EXPECT_EQ(w.ImgIconT[5].Geometry, (Rect{152, 312, 16, 16}));
    h.game.ImgIconT_MouseMove(4, 0, 0, 3, 3);
    EXPECT_EQ(w.LblBDescript.Caption, QStringLiteral("คู่มือ"));
    h.game.ImgIconT_MouseDown(4, 1, 0, 3, 3);
    EXPECT_EQ(w.ImgIconT[4].Geometry, (Rect{121, 313, 16, 16}));
    h.game.ImgIconT_MouseDown(4, 1, 0, 3, 3);
    h.game.ImgIconT_MouseMove(4, 1, 0, 3, 3);
    EXPECT_EQ(w.ImgIconT[4].Geometry, (Rect{121, 313, 16, 16}));
    h.game.ImgIconT_MouseUp(4, 1, 0, 3, 3);
    EXPECT_EQ(w.ImgIconT[4].Geometry, (Rect{120, 312, 16, 16}));
    EXPECT_EQ(h.port.documents, QStringList{QStringLiteral("/game/help/help.htm")});
    EXPECT_EQ(h.port.sounds, QStringList{QStringLiteral("/game/Sound/505.wav")});
    h.game.ImgIconT_MouseMove(5, 1, 0, 3, 3);
    EXPECT_EQ(w.ImgIconT[5].Geometry, (Rect{153, 313, 16, 16}));
    EXPECT_EQ(w.LblBDescript.Caption, QStringLiteral("ปิดเกมKroda"));
    h.game.ImgIconT_MouseUp(5, 1, 0, 3, 3);

    // A cancelled music dialog stops the music and starts nothing; the button comes back up
    // by itself.
    h.game.ImgIconT_MouseDown(1, 1, 0, 3, 3);
    EXPECT_EQ(h.port.musicCommands, QStringList{QStringLiteral("close")});
    EXPECT_EQ(h.port.openFileRequests, 1);
    EXPECT_EQ(w.ImgIconT[1].Geometry, (Rect{88, 312, 16, 16}));
    EXPECT_FALSE(h.game.timers.TimerMM.Enabled());
    EXPECT_EQ(h.port.quits, 0);

    // The save button asks for a save dialog in the save folder and is up again before the
    // moment is taken.
    h.game.ImgIconT_MouseMove(2, 0, 0, 3, 3);
    EXPECT_EQ(w.LblBDescript.Caption, QStringLiteral("บันทึกเกม"));
    h.game.ImgIconT_MouseDown(2, 1, 0, 3, 3);
    EXPECT_EQ(h.port.saveFileRequests, 1);
    EXPECT_EQ(h.port.saveFileFilter, QStringLiteral("บันทึกเกม|*.Sav"));
    EXPECT_EQ(h.port.saveFileFolder, saveFolder());
    EXPECT_EQ(w.ImgIconT[2].Geometry, (Rect{184, 312, 16, 16}));
    h.game.ImgIconT_MouseDown(5, 1, 0, 3, 3);
    EXPECT_EQ(h.port.quits, 1);
}

}  // namespace
}  // namespace kroda::testing
