// wait runs the clock until a person must act, the card window is open or there is a
// winner, and no further than its limit.

#include "driver_harness.h"

#include "headless/session.h"

#include <gtest/gtest.h>

namespace kroda::headless::testing {
namespace {

// A started game whose timers are all stopped, so that only the state set below counts.
const char* const kStill =
    "seed 1\nhuman 1\ncomputer 2\nstart\n"
    "set TimerTalk.Enabled false\nset TimeDelay.Enabled false\n"
    "set AnimateTimer.Enabled false\nset TimerMM.Enabled false\n"
    "advance 700\n";

// Each stopping condition stops wait at once; with none of them it runs to its limit.
TEST(Wait, StopsAtOnceForAPersonACardOrAWinner) {
    struct Case {
        const char* setUp;
        const char* expected;
    };
    const Case cases[] = {
        {"set CurPlayer 1\nset TalkStep 9\nset InputMode 2\n", "700\n"},
        {"set CurPlayer 1\nset TalkStep 9\nset InputMode 1\n", "700\n"},
        {"set CurPlayer 1\nset TalkStep 14\nset InputMode 3\n", "700\n"},
        {"set CurPlayer 2\nset FrmCard.Visible true\n", "700\n"},
        {"set CurPlayer 2\nset TalkStep 17\n", "700\n"},
        // A computer's throw, or a person's turn while the narrator still speaks: no stop.
        {"set CurPlayer 2\nset TalkStep 9\nset InputMode 2\n", "1700\n"},
        {"set CurPlayer 1\nset TalkStep 13\nset InputMode 2\n", "1700\n"},
    };
    for (const Case& c : cases) {
        const ScriptOutcome r =
            runScript(std::string(kStill) + c.setUp + "wait 1000\n", boardFolder());
        EXPECT_EQ(r.status, ExitOk) << c.setUp << r.err;
        EXPECT_EQ(r.out, c.expected) << c.setUp;
    }
}

// A person is not awaited while his token walks or a pause runs.
TEST(Wait, APersonIsNotAwaitedDuringAWalkOrAPause) {
    Session s(emptyFolder());
    GameState& g = s.game().state;
    Timers& t = s.game().timers;
    t.TimerTalk.setEnabled(false);
    g.Players(1).IsHuman = true;
    g.CurPlayer = 1;
    g.TalkStep = 9;
    g.InputMode = MoveThrow;
    g.AnimMode = TokenWalk;
    t.AnimateTimer.setEnabled(true);
    EXPECT_FALSE(s.waitingForPerson());
    g.AnimMode = DiceFlicker;  // the dice flicker while he is asked to throw
    EXPECT_TRUE(s.waitingForPerson());
    t.TimeDelay.setEnabled(true);
    EXPECT_FALSE(s.waitingForPerson());
    t.TimeDelay.setEnabled(false);
    g.Players(1).IsHuman = false;
    EXPECT_FALSE(s.waitingForPerson());
}

// In a real game wait stops when the sequencer hands a person the dice, after the opening
// messages have been narrated.
TEST(Wait, StopsWhenAPersonIsAskedToThrow) {
    const ScriptOutcome r = runScript(
        "seed 11\nplayers 2\nhuman 1 Somchai\ncomputer 2\nstart\n"
        "wait\nget TalkStep\nget InputMode\nget CurPlayer\nget KeyPreview\nget ImgTao(2).Enabled\n"
        "dice 2 5\nkey 68\nget Die1\nget Die2\nget Players(1).Steps\n",
        boardFolder(), true);
    ASSERT_EQ(r.status, ExitOk) << r.err;
    const QStringList lines = QString::fromStdString(r.out).split(QLatin1Char('\n'));
    // The greeting, the manual notice and the request to player 1 were narrated first.
    ASSERT_GE(lines.size(), 12) << r.out;
    EXPECT_TRUE(lines[0].contains(QStringLiteral(" 1 ยินดีต้อนรับ"))) << lines[0].toStdString();
    const int waitLine = static_cast<int>(lines.size()) - 10;
    EXPECT_TRUE(lines[waitLine - 1].contains(QStringLiteral("'Somchai'"))) << r.out;
    EXPECT_GT(lines[waitLine].toLongLong(), 0);
    EXPECT_EQ(lines.mid(waitLine + 1).join(QLatin1Char('|')), "9|1|1|true|true|2|5|7|");
}

}  // namespace
}  // namespace kroda::headless::testing
