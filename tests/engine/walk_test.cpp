// The token walk and where tokens stand.
#include "support/game_harness.h"

#include <gtest/gtest.h>

namespace kroda::testing {
namespace {

// A walk of 7 from square 36 visits 37, 38, 39, 0, 1, 2, 3, paying the start money once,
// then a closing tick shows the landing square and hands back to the sequencer; a walk
// ending on square 0 is paid too.
TEST(Walk, PassingTheStartPaysOnce) {
    GameHarness h(2);
    h.load();
    const int from[] = {36, 35};
    const int steps[] = {7, 5};
    const std::vector<int> visits[] = {{37, 38, 39, 0, 1, 2, 3}, {36, 37, 38, 39, 0}};
    for (int i = 0; i < 2; ++i) {
        h.standOn(1, from[i]);
        h.player(1).Money = Currency::fromUnits(100);
        h.player(1).Steps = static_cast<Integer>(steps[i]);
        h.s().AnimMode = TokenWalk;
        std::vector<int> seen;
        for (int tick = 0; tick < steps[i]; ++tick) {
            h.game.AnimateTimer_Timer();
            seen.push_back(h.player(1).Position);
            EXPECT_EQ(h.game.window.ShpMark[0].Geometry.Left,
                      h.game.window.ImgTable[seen.back()].Geometry.Left +
                          (h.game.window.ImgTable[seen.back()].Geometry.Width - 16) / 2);
        }
        EXPECT_EQ(seen, visits[i]);
        EXPECT_EQ(h.player(1).Money, Currency::fromUnits(2100));
        EXPECT_EQ(h.game.window.LblPMoney[0].Caption, QStringLiteral("฿2,100.00"));
        h.game.timers.AnimateTimer.setEnabled(true);
        h.game.AnimateTimer_Timer();
        EXPECT_FALSE(h.game.timers.AnimateTimer.Enabled());
        EXPECT_TRUE(h.game.timers.TimerTalk.Enabled());
        EXPECT_EQ(h.game.window.TxtLocation.Text, h.square(seen.back()).Name.trimmed());
    }
}

// A token at rest stands in its player's quarter of the square: on a side square place 4
// touches the bottom-right corner, on a corner it is 8 pixels in; place 5 is the centre, and
// a place outside 1..5 leaves the token where it is. Four tokens at rest never overlap.
TEST(Walk, PutTaoPlacesTokensInQuarters) {
    GameHarness h;
    const Rect& side = h.game.window.ImgTable[5].Geometry;  // 184, 352, 32 x 32
    const Rect& token = h.game.window.ShpMark[3].Geometry;
    h.game.PutTao(4, 5, 4);
    EXPECT_EQ(token.Left + 16, side.Left + side.Width);
    EXPECT_EQ(token.Top + 16, side.Top + side.Height);
    h.game.PutTao(4, 20, 4);
    EXPECT_EQ(token, (Rect{32, 32, 16, 16}));
    h.game.PutTao(4, 20, 5);
    EXPECT_EQ(token, (Rect{24, 24, 16, 16}));
    h.game.PutTao(4, 5, 0);
    h.game.PutTao(4, 5, 6);
    EXPECT_EQ(token, (Rect{24, 24, 16, 16}));
    for (int square : {0, 7}) {
        QSet<QPair<int, int>> corners;
        for (int p = 1; p <= 4; ++p) {
            h.game.PutTao(static_cast<Integer>(p), static_cast<Integer>(square),
                          static_cast<Integer>(p));
            const Rect& r = h.game.window.ShpMark[p - 1].Geometry;
            corners.insert({r.Left, r.Top});
        }
        EXPECT_EQ(corners.size(), 4);
    }
}

}  // namespace
}  // namespace kroda::testing
