// The square information panel, the faces, the money text and the music loop.
#include "support/game_harness.h"

#include <gtest/gtest.h>

namespace kroda::testing {
namespace {

// The panel shows a square's name, picture, rule, price and owner: the start square's owner
// is the bank, a player's name is shown as stored (with its blanks), the rest square shows
// its count of turns; with no new board the panel is never changed.
TEST(Displays, InformationPanelDescribesASquare) {
    GameHarness h(2);
    h.load();
    GameWindow& w = h.game.window;
    EXPECT_EQ(w.TxtLocation.Text, QStringLiteral("จุดเริ่มต้น"));
    EXPECT_EQ(w.LblAct.Caption, QStringLiteral("ได้รับเงิน"));
    EXPECT_EQ(w.LblPrice.Caption, QStringLiteral("฿2,000.00"));
    EXPECT_EQ(w.LblOwner.Caption, QStringLiteral("เจ้าของ: ธนาคาร"));
    EXPECT_EQ(w.ImgLocation.Strip, IllustrationStrip);
    EXPECT_EQ(w.ImgLocation.Cell, 0);

    h.square(3).Owner = 2;
    h.square(3).Buildings = 3;
    h.game.LocateCheck(4);
    EXPECT_EQ(w.LblAct.Caption, QStringLiteral("ราคาที่ดิน"));
    EXPECT_EQ(w.LblPrice.Caption, QStringLiteral("฿600.00"));
    EXPECT_EQ(w.LblOwner.Caption, QStringLiteral("เจ้าของ: ผู้เล่น:2   "));
    EXPECT_EQ(w.ImgBuilding.Cell, 3);
    EXPECT_EQ(w.ImgLocation.Cell, 3);
    h.game.LocateCheck(21);
    EXPECT_EQ(w.LblAct.Caption, QStringLiteral("หยุดเดิน"));
    EXPECT_EQ(w.LblPrice.Caption, QStringLiteral(" 1 ครั้ง"));
    EXPECT_EQ(w.LblOwner.Caption, QString());
    h.game.LocateCheck(25);
    EXPECT_EQ(w.LblAct.Caption, QStringLiteral("จ่าย"));
    h.game.LocateCheck(3);
    EXPECT_EQ(w.LblAct.Caption + w.LblPrice.Caption + w.LblOwner.Caption, QString());
    EXPECT_EQ(w.ImgBuilding.Cell, 3) << "kept from the last plot";

    h.s().NewBoard = false;
    h.game.LocateCheck(1);
    EXPECT_EQ(w.TxtLocation.Text, QStringLiteral("บัตรทรัพย์สมบัติ"));
    EXPECT_EQ(h.game.OwnerCheck(1), QString());
}

// After the ranking each panel shows its own player's face for his place: the first to play
// looks happiest, the last glum; a face number out of 1..5 or a seat out of 1..4 leaves every
// panel as it was.
TEST(Displays, FacesFollowTheRanking) {
    GameHarness h;
    h.loadAndRank({5, 9, 7, 11});  // play order 4, 2, 3, 1
    const GameWindow& w = h.game.window;
    const struct {
        int player;
        int face;
    } shown[] = {{4, 3}, {2, 2}, {3, 4}, {1, 5}};
    for (const auto& f : shown) {
        EXPECT_EQ(w.ImgPlayer[f.player - 1].Strip, f.player + 3) << "panel " << f.player;
        EXPECT_EQ(w.ImgPlayer[f.player - 1].Cell, f.face - 1) << "panel " << f.player;
    }
    const auto before = w.ImgPlayer;
    for (const auto& [player, face] : {std::pair{1, 0}, {1, 6}, {0, 1}, {5, 1}}) {
        h.game.CFace(static_cast<Integer>(player), static_cast<Integer>(face));
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(w.ImgPlayer[k].Cell, before[k].Cell) << player << "/" << face;
            EXPECT_EQ(w.ImgPlayer[k].Strip, before[k].Strip) << player << "/" << face;
        }
    }
}

// Money is shown exactly in the locale's currency style; the C locale has none and shows baht.
TEST(Displays, MoneyTextFollowsTheLocale) {
    GameHarness h;
    const auto show = [&](std::int64_t raw) { return h.game.MShow(Currency::fromRaw(raw)); };
    EXPECT_EQ(show(150000000), QStringLiteral("฿15,000.00"));
    EXPECT_EQ(show(0), QStringLiteral("฿0.00"));
    EXPECT_EQ(show(-150000000), QStringLiteral("-฿15,000.00"));
    EXPECT_EQ(show(50), QStringLiteral("฿0.01"));
    EXPECT_EQ(show(-49), QStringLiteral("฿0.00"));
    EXPECT_EQ(show(std::numeric_limits<std::int64_t>::max()),
              QStringLiteral("฿922,337,203,685,477.58"));
    EXPECT_EQ(show(std::numeric_limits<std::int64_t>::min()),
              QStringLiteral("-฿922,337,203,685,477.58"));
    const struct {
        const char* locale;
        const char16_t* positive;
        const char16_t* negative;
    } styles[] = {{"th_TH", u"฿1,234,567.89", u"(฿1,234,567.89)"},
                  {"de_DE", u"1.234.567,89\u00A0€", u"-1.234.567,89\u00A0€"},
                  {"ja_JP", u"￥1,234,568", u"(￥1,234,568)"}};
    for (const auto& s : styles) {
        h.game.locale = QLocale(QLatin1String(s.locale));
        EXPECT_EQ(show(12345678900), QString::fromUtf16(s.positive)) << s.locale;
        EXPECT_EQ(show(-12345678900), QString::fromUtf16(s.negative)) << s.locale;
        EXPECT_EQ(show(12345678900), h.game.locale.toCurrencyString(1234567.89)) << s.locale;
    }
}

// Music chosen from the toolbar starts again when it has reached or passed its end, never
// while it plays, and a piece of no length is never looped.
TEST(Displays, MusicLoopsAtItsEnd) {
    GameHarness h;
    h.port.openFileAnswer = QStringLiteral("/music/song.mid");
    h.game.ImgIconT_MouseDown(1, 1, 0, 4, 4);
    h.game.ImgIconT_MouseUp(1, 1, 0, 4, 4);
    ASSERT_TRUE(h.game.timers.TimerMM.Enabled());
    h.port.musicCommands.clear();
    h.port.musicLengthValue = 1000;
    const struct {
        std::int64_t position;
        bool restarts;
    } moments[] = {{500, false}, {1000, true}, {1200, true}, {999, false}};
    for (const auto& m : moments) {
        h.port.musicPositionValue = m.position;
        h.clock.advance(20);
        EXPECT_EQ(h.port.musicCommands.size(), m.restarts ? 3 : 0) << m.position;
        if (m.restarts) {
            EXPECT_EQ(h.port.musicCommands, (QStringList{"close", "open /music/song.mid", "play"}));
        }
        h.port.musicCommands.clear();
    }
    h.port.musicLengthValue = 0;
    h.port.musicPositionValue = 0;
    h.clock.advance(100);
    EXPECT_TRUE(h.port.musicCommands.isEmpty());
}

// Music that cannot be played, whether chosen so or gone by the time it would start again,
// is refused in the toolbar's description line; the music timer stops and the game goes on.
TEST(Displays, MusicThatCannotBePlayedIsRefusedInTheToolbar) {
    const QString refused = QStringLiteral("เล่นไฟล์เพลงนี้ไม่ได้");
    {
        GameHarness h;
        h.port.musicRefused = true;
        h.port.openFileAnswer = QStringLiteral("/music/broken.mid");
        h.game.ImgIconT_MouseDown(1, 1, 0, 4, 4);
        h.game.ImgIconT_MouseUp(1, 1, 0, 4, 4);
        EXPECT_EQ(h.game.window.LblBDescript.Caption, refused);
        EXPECT_FALSE(h.game.timers.TimerMM.Enabled());
        EXPECT_FALSE(h.port.musicCommands.contains(QStringLiteral("play")));
    }
    {
        GameHarness h;
        h.port.openFileAnswer = QStringLiteral("/music/song.mid");
        h.game.ImgIconT_MouseDown(1, 1, 0, 4, 4);
        h.game.ImgIconT_MouseUp(1, 1, 0, 4, 4);
        ASSERT_TRUE(h.game.timers.TimerMM.Enabled());
        EXPECT_NE(h.game.window.LblBDescript.Caption, refused);
        h.port.musicLengthValue = 1000;
        h.port.musicPositionValue = 1000;
        h.port.musicRefused = true;  // the file has been deleted while it played
        h.port.musicCommands.clear();
        h.clock.advance(20);
        EXPECT_EQ(h.port.musicCommands, (QStringList{"close", "open /music/song.mid"}));
        EXPECT_EQ(h.game.window.LblBDescript.Caption, refused);
        EXPECT_FALSE(h.game.timers.TimerMM.Enabled());
    }
}

}  // namespace
}  // namespace kroda::testing
