// The deed card shows the panel of the square's kind with its amounts, and tells the fine
// the go-to-jail landing really charges.
#include "screen/window_placement.h"
#include "support/game_harness.h"

#include <gtest/gtest.h>

namespace kroda::testing {
namespace {

QString money(Currency c) {
    return QStringLiteral("$") + QString::number(c.units());
}

TEST(DeedCard, EachKindShowsItsOwnPanelAndAmounts) {
    GameHarness h;
    h.load();
    DeedCardWindow card;
    for (int n = 1; n <= 40; ++n) {
        const Square& sq = h.game.state.Squares(n);
        card.draw(h.game.state, static_cast<Integer>(n), money);
        int shown = 0;
        for (const DeedPanelBox& p : card.PicOpad) shown += p.Visible ? 1 : 0;
        EXPECT_EQ(shown, 1) << n;
        EXPECT_EQ(card.LblLname.Caption, sq.Name.trimmed());
        EXPECT_EQ(card.ImgOLocate.Cell, n - 1);
        switch (sq.Kind) {
            case Land:
                ASSERT_TRUE(card.PicOpad[LandPanel].Visible) << n;
                for (int r = 1; r <= 6; ++r)
                    EXPECT_EQ(card.LblVariable[r - 1].Caption, money(sq.Rent(r)));
                EXPECT_EQ(card.LblVariable[6].Caption, money(sq.HouseCost));
                EXPECT_EQ(card.LblVariable[7].Caption, money(sq.HotelCost));
                break;
            case HotelSite:
                ASSERT_TRUE(card.PicOpad[HotelPanel].Visible) << n;
                for (int r = 1; r <= 5; ++r)
                    EXPECT_EQ(card.LblVriable2[r - 1].Caption, money(sq.Rent(r)));
                break;
            case PairSite:
                ASSERT_TRUE(card.PicOpad[PairPanel].Visible) << n;
                EXPECT_EQ(card.Lblv3[1].Caption, money(sq.Rent(2)));
                break;
            case Start:
                EXPECT_EQ(card.LblOcard1[1].Caption, QStringLiteral("ได้รับเงิน ") + money(sq.Price));
                break;
            case Tax:
                EXPECT_EQ(card.LblOcard1[1].Caption, QStringLiteral("จ่าย ") + money(sq.Price));
                break;
            default:
                EXPECT_TRUE(card.PicOpad[TextPanel].Visible) << n;
                break;
        }
    }
}

TEST(DeedCard, RestAndGoToJailTellTheRightTexts) {
    GameHarness h;
    h.load();
    Square& rest = h.game.state.Squares(21);
    rest.Kind = Rest;
    Square& jail = h.game.state.Squares(31);
    jail.Kind = GoToJail;
    jail.Price = Currency::fromUnits(725);
    DeedCardWindow card;
    card.draw(h.game.state, 21, money);
    EXPECT_EQ(card.LblOcard1[1].Caption, QStringLiteral("หยุดเดิน 1 ครั้ง"));
    card.draw(h.game.state, 31, money);
    EXPECT_EQ(card.LblOcard1[1].Caption, QStringLiteral("จ่าย $725 และหยุดเดิน 1 ครั้ง"));
}

TEST(DeedCard, WithoutABoardKeepsItsRestingTexts) {
    GameState s;
    s.NewBoard = false;
    DeedCardWindow card;
    card.PicOpad[LandPanel].Visible = true;
    card.draw(s, 5, money);
    EXPECT_FALSE(card.PicOpad[LandPanel].Visible);
    EXPECT_EQ(card.LblLname.Caption, QStringLiteral("โฉนด"));
}

// Dragging the title moves the window by the pointer's displacement from where it rested.
TEST(DeedCard, TitleDragFollowsThePointer) {
    DeedCardWindow card;
    card.Geometry.Left = 100;
    card.Geometry.Top = 50;
    card.LblLname_MouseMove(0, 10, 5);
    card.LblLname_MouseMove(kLeftButton, 30, 2);
    EXPECT_EQ(card.Geometry.Left, 120);
    EXPECT_EQ(card.Geometry.Top, 47);
}

TEST(WindowPlacement, AnchorsLikeTheKeypad) {
    EXPECT_EQ(placeWindow(5, 800, 600, 340, 240), (ScreenPoint{230, 180}));
    EXPECT_EQ(placeWindow(7, 800, 600, 340, 240), (ScreenPoint{0, 0}));
    EXPECT_EQ(placeWindow(3, 800, 600, 340, 240), (ScreenPoint{460, 360}));
    EXPECT_EQ(placeWindow(5, 640, 480, 800, 600), (ScreenPoint{-80, -60}));
    EXPECT_FALSE(placeWindow(0, 800, 600, 1, 1));
    EXPECT_FALSE(placeWindow(10, 800, 600, 1, 1));
    EXPECT_EQ(maximiseOn640x480(640, 480), WindowState::Maximized);
    EXPECT_EQ(maximiseOn640x480(640, 400), WindowState::Normal);
    EXPECT_FALSE(maximiseOn640x480(800, 600));
}

}  // namespace
}  // namespace kroda::testing
