// Purchase offers, buildings and the pictures they leave on the board.
#include "support/game_harness.h"

#include <gtest/gtest.h>

namespace kroda::testing {
namespace {

// An open offer shows the yes and no keys and blinks the dice; yes buys the square, puts the
// buyer's marker on it and passes the turn with the answer sound; no leaves it unowned.
TEST(Offer, YesBuysNoRefuses) {
    GameHarness h(2, {1});
    h.load();
    h.land(9);
    GameWindow& w = h.game.window;
    EXPECT_EQ(h.s().InputMode, YesNoAnswer);
    EXPECT_EQ(w.LblKeyT[0].Caption, QStringLiteral("S"));
    EXPECT_EQ(w.LblKeyT[1].Caption, QStringLiteral("F"));
    EXPECT_TRUE(w.KeyPreview && w.ImgTao[0].Enabled && w.ImgTao[1].Enabled);
    h.clock.advance(200);
    EXPECT_EQ(w.ImgTao[0].Cell, 6);
    EXPECT_EQ(w.ImgTao[1].Cell, 8);
    h.clock.advance(200);
    EXPECT_EQ(w.ImgTao[0].Cell, 7);
    EXPECT_EQ(w.ImgTao[1].Cell, 9);
    h.game.ImgTao_Click(1);
    EXPECT_EQ(h.square(9).Owner, 0);
    EXPECT_EQ(h.port.sounds.size(), 1);
    EXPECT_EQ(w.LblKeyT[0].Caption, QStringLiteral("---"));
    EXPECT_EQ(h.s().CurPlayer, 2);

    h.land(9);
    h.game.keyPressed('S', 0);
    EXPECT_EQ(h.square(9).Owner, 1);
    EXPECT_EQ(h.player(1).Owned(1), 10);
    EXPECT_EQ(h.player(1).Money, Currency::fromUnits(13800));
    EXPECT_EQ(w.LblPMoney[0].Caption, QStringLiteral("฿13,800.00"));
    EXPECT_EQ(w.ImgBottom[8].Strip, HorizontalBlocks);
    EXPECT_EQ(w.ImgBottom[8].Cell, 1);
    EXPECT_FALSE(w.KeyPreview || w.ImgTao[0].Enabled);
    EXPECT_EQ(h.s().CurPlayer, 2);
}

// Any key but yes and no refuses an open offer with a beep and no sound, the labels left as
// they are: the both-dice key and Shift alike.
TEST(Offer, WrongKeyRefuses) {
    for (int key : {int{'D'}, 16}) {
        GameHarness h(2, {1});
        h.load();
        h.land(1);
        h.game.keyPressed(key, 0);
        EXPECT_EQ(h.square(1).Owner, 0);
        EXPECT_EQ(h.port.beeps, 1);
        EXPECT_TRUE(h.port.sounds.isEmpty());
        EXPECT_EQ(h.game.window.LblKeyT[0].Caption, QStringLiteral("S"));
        EXPECT_EQ(h.s().CurPlayer, 2);
    }
}

// Houses cost HouseCost one at a time, the fifth building is the hotel at HotelCost; the
// building picture follows; buying with exactly all one's money is bankruptcy.
TEST(Offer, BuildingsUpToTheHotel) {
    GameHarness h(2, {1});
    h.load();
    h.square(11).Owner = 1;
    h.square(11).HotelCost = Currency::fromUnits(1234);
    for (int level = 1; level <= 5; ++level) {
        h.land(11);
        h.game.ImgTao_Click(0);
        EXPECT_EQ(h.square(11).Buildings, level);
        EXPECT_EQ(h.game.window.ImgHead[9].Strip, VerticalBlocks);
        EXPECT_EQ(h.game.window.ImgHead[9].Cell, level + 4);
    }
    EXPECT_EQ(h.player(1).Money, Currency::fromUnits(15000 - 4 * 1000 - 1234));

    h.player(1).Money = Currency::fromUnits(600);
    h.land(1);
    h.game.keyPressed('S', 0);
    EXPECT_EQ(h.player(1).Money, Currency{});
    EXPECT_TRUE(h.player(1).Bankrupt);
    EXPECT_EQ(h.square(1).Owner, 0);
    EXPECT_EQ(h.s().TalkStep, 17);
}

// The edge blocks of a position: 9 is ImgBottom(8) of the row strip, 11 ImgBottom(9) of the
// column strip, 29 and 39 the last of their sides; corners have none.
TEST(Offer, HouseCreateMapsPositionsToEdgeBlocks) {
    GameHarness h;
    h.load();
    h.s().CurPlayer = 3;
    const int positions[] = {9, 11, 29, 39, 1};
    const int index[] = {8, 9, 26, 35, 0};
    const Integer strip[] = {HorizontalBlocks, VerticalBlocks, HorizontalBlocks, VerticalBlocks,
                             HorizontalBlocks};
    for (int i = 0; i < 5; ++i) {
        h.game.HouseCreate(static_cast<Integer>(positions[i]), OwnerMarker);
        EXPECT_EQ(h.game.window.ImgBottom[index[i]].Strip, strip[i]);
        EXPECT_EQ(h.game.window.ImgBottom[index[i]].Cell, 3) << positions[i];
    }
    const GameWindow before = h.game.window;
    for (int corner : {0, 10, 20, 30}) {
        h.game.HouseCreate(static_cast<Integer>(corner), OwnerMarker);
        h.game.HouseCreate(static_cast<Integer>(corner), BuildingsOnEdge);
    }
    for (int k = 0; k < 36; ++k)
        EXPECT_EQ(h.game.window.ImgBottom[k].Cell, before.ImgBottom[k].Cell);
    h.square(20).Buildings = 2;
    h.game.HouseCreate(20, BuildingsInPanel);
    EXPECT_EQ(h.game.window.ImgBuilding.Strip, BuildingLevels);
    EXPECT_EQ(h.game.window.ImgBuilding.Cell, 2);
}

// A purchase with all 29 slots of the list taken writes no slot, yet the square is owned and
// goes back to the bank when its owner goes bankrupt.
TEST(Offer, FullOwnedListStillOwnsAndReturns) {
    GameHarness h(3, {1});
    h.load();
    for (int j = 1; j <= 29; ++j) h.player(1).Owned(j) = 40;
    h.land(3);
    h.game.keyPressed('S', 0);
    EXPECT_EQ(h.square(3).Owner, 1);
    h.s().CurPlayer = 1;
    h.game.GameOver(h.s().CurPlayer);
    EXPECT_EQ(h.square(3).Owner, 0);
    EXPECT_EQ(h.game.window.ImgBottom[2].Cell, 0);
}

}  // namespace
}  // namespace kroda::testing
