// What each square says and does to the player who lands on it.
#include "support/game_harness.h"

#include <gtest/gtest.h>

namespace kroda::testing {
namespace {

const QString kP1 = QStringLiteral("'ผู้เล่น:1'");
const QString kP2 = QStringLiteral("'ผู้เล่น:2'");

// The announcement of every kind of square and situation, byte for byte, with the face it
// gives the player (and the owner who is paid rent).
TEST(Landing, AnnouncementOfEverySquare) {
    struct Case {
        int position;
        int owner;
        int buildings;
        QString message;
        int face;
    };
    const QString ask = QStringLiteral(" (O=ซื้อ, X=ไม่ซื้อ)");
    const Case cases[] = {
        {0, 0, 0, kP1 + QStringLiteral("ได้รับเงิน ฿2,000.00"), 2},
        {1, 0, 0, QStringLiteral("คุณต้องการซื้อที่ดินนี้หรือไม่") + ask, 1},
        {1, 1, 3, QStringLiteral("คุณต้องการซื้อบ้านหรือไม่") + ask, 2},
        {1, 1, 4, QStringLiteral("คุณต้องการซื้อโรงแรมหรือไม่") + ask, 2},
        {1, 1, 5, QStringLiteral("..."), 3},
        {4, 0, 0, QStringLiteral("คุณต้องการซื้อโรงแรมนี้หรือไม่") + ask, 1},
        {12, 0, 0, QStringLiteral("คุณต้องการซื้อที่ดินนี้หรือไม่") + ask, 1},
        {4, 1, 0, QStringLiteral("..."), 2},
        {12, 1, 0, QStringLiteral("..."), 2},
        {1, 2, 2, kP1 + QStringLiteral(" จ่ายค่าเช่าให้ ") + kP2 + QStringLiteral(" ฿300.00"), 5},
        {2, 0, 0, QStringLiteral("กดคีย์ใด ๆ เพื่อปิดบัตร"), 1},
        {7, 0, 0, QStringLiteral("กดคีย์ใด ๆ เพื่อปิดบัตร"), 1},
        {10, 0, 0, QStringLiteral("แวะเยี่ยมคุก หยุดเดิน 1 ครั้ง"), 4},
        {20, 0, 0, QStringLiteral("แวะพักผ่อน หยุดเดิน 1 ครั้ง"), 4},
        {30, 0, 0, QStringLiteral("ไปเข้าคุก และจ่ายค่าปรับ ฿500.00"), 5},
        {24, 0, 0, QStringLiteral("จ่ายภาษี ฿1,000.00"), 4},
    };
    for (const Case& c : cases) {
        GameHarness h(2);
        h.load();
        h.standOn(1, c.position);
        h.square(c.position).Owner = static_cast<Integer>(c.owner);
        h.square(c.position).Buildings = static_cast<Integer>(c.buildings);
        h.game.ActionCheck(h.s().CurPlayer, AnnounceLanding);
        EXPECT_EQ(h.s().PendingMessage, c.message) << c.position;
        EXPECT_EQ(h.game.window.ImgPlayer[0].Cell, c.face - 1) << c.position;
        EXPECT_EQ(h.s().TalkStep, 14);
        if (c.owner == 2) {
            EXPECT_EQ(h.game.window.ImgPlayer[1].Cell, 2);
        }
    }
}

// Rent follows the group: an owner of three of the five hotels pays nothing on his own, a
// visitor pays Rent(3); both of the pair give Rent(2); houses raise the plot's rent. The
// owner is paid and the turn passes after a pause.
TEST(Landing, RentFollowsBuildingsAndGroups) {
    GameHarness h(2);
    h.load();
    for (int pos : {4, 15, 25, 12, 28, 1}) h.square(pos).Owner = 2;
    h.square(1).Buildings = 3;
    const struct {
        int position;
        int rent;
    } visits[] = {{25, 1000}, {28, 1000}, {1, 900}};
    int paid = 0;
    for (const auto& v : visits) {
        h.land(v.position);
        paid += v.rent;
        EXPECT_EQ(h.player(1).Money, Currency::fromUnits(15000 - paid)) << v.position;
        EXPECT_EQ(h.player(2).Money, Currency::fromUnits(15000 + paid));
        EXPECT_EQ(h.game.window.LblPMoney[1].Caption, h.game.MShow(h.player(2).Money));
        EXPECT_EQ(h.s().CurPlayer, 2);
        EXPECT_TRUE(h.game.timers.TimeDelay.Enabled());
    }
    h.standOn(2, 15);
    h.game.ActionCheck(h.s().CurPlayer, AnnounceLanding);
    h.game.ActionCheck(h.s().CurPlayer, ResolveLanding);
    EXPECT_EQ(h.player(2).Money, Currency::fromUnits(15000 + paid));
    EXPECT_EQ(h.s().CurPlayer, 1);
    EXPECT_EQ(h.game.PriceCheck(15), QStringLiteral("1000"));
    EXPECT_EQ(h.game.PriceCheck(2), QString());
}

// A hotel site's rent is Rent(n) for the n hotels its owner holds, counted over all five
// places of the group, the last one included; the pair counts both its squares. A hotel of
// another owner does not count.
TEST(Landing, GroupRentCountsEverySquareOfTheGroup) {
    const struct {
        std::vector<int> owned;  // positions player 2 owns; player 1 owns the rest of {4, 5}
        int position;
        const char* rent;
    } cases[] = {
        {{4, 5, 15, 25, 35}, 35, "3000"},
        {{4, 5, 15, 25, 35}, 4, "3000"},
        {{15, 35}, 35, "500"},
        {{15, 35}, 15, "500"},
        {{35}, 35, "250"},
        {{25, 35}, 25, "500"},
        {{12, 28}, 28, "1000"},
        {{28}, 28, "400"},
    };
    for (const auto& c : cases) {
        GameHarness h(2);
        h.load();
        for (int pos : {4, 5}) h.square(pos).Owner = 1;
        for (int pos : c.owned) h.square(pos).Owner = 2;
        EXPECT_EQ(h.game.PriceCheck(static_cast<Integer>(c.position)), QLatin1String(c.rent))
            << "square index " << c.position << " with " << c.owned.size() << " owned";
    }
}

// A payer left with exactly 0 (or less) is bankrupt, and the owner still gets the whole rent.
TEST(Landing, RentThatEmptiesThePayerBankruptsHim) {
    for (int money : {20, 5}) {
        GameHarness h(2);
        h.load();
        h.square(1).Owner = 2;
        h.player(1).Money = Currency::fromUnits(money);
        h.land(1);
        EXPECT_TRUE(h.player(1).Bankrupt);
        EXPECT_EQ(h.player(2).Money, Currency::fromUnits(15020));
        EXPECT_EQ(h.s().TalkStep, 17);
        EXPECT_EQ(h.s().CurPlayer, 2);
    }
}

// Going to jail moves the token to the jail without the start money, fines the player and
// costs him his next turn; the rest square costs one turn whatever count it announces; tax
// is paid to the bank and may bankrupt; the start square only ends the turn.
TEST(Landing, JailRestTaxAndStart) {
    GameHarness h(2);
    h.load();
    h.land(30);
    EXPECT_EQ(h.player(1).Position, 10);
    EXPECT_EQ(h.game.window.ShpMark[0].Geometry, (Rect{16, 352, 16, 16}));
    EXPECT_EQ(h.player(1).Money, Currency::fromUnits(14500));
    EXPECT_EQ(h.s().CurPlayer, 2);
    h.game.NextQ();
    EXPECT_EQ(h.s().CurPlayer, 2) << "player 1 sits his turn out";

    h.square(20).Price = Currency::fromUnits(3);
    h.standOn(1, 20);
    h.game.ActionCheck(h.s().CurPlayer, AnnounceLanding);
    EXPECT_EQ(h.s().PendingMessage, QStringLiteral("แวะพักผ่อน หยุดเดิน 3 ครั้ง"));
    h.game.ActionCheck(h.s().CurPlayer, ResolveLanding);
    EXPECT_EQ(h.player(1).SkipTurns, 1);
    h.game.NextQ();
    EXPECT_EQ(h.s().CurPlayer, 2);
    EXPECT_EQ(h.player(1).SkipTurns, 0);

    h.land(0);
    EXPECT_EQ(h.player(1).Money, Currency::fromUnits(14500));
    EXPECT_EQ(h.s().CurPlayer, 2);

    h.player(1).Money = Currency::fromUnits(1000);
    h.land(24);
    EXPECT_TRUE(h.player(1).Bankrupt);
    EXPECT_EQ(h.game.window.LblPMoney[0].Caption, QStringLiteral("ล้มละลาย"));
}

}  // namespace
}  // namespace kroda::testing
