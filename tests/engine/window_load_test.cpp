// The loading of the game window from a board folder, and the window's layout.
#include "model/board_reader.h"
#include "support/fixture_board.h"
#include "support/game_harness.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kroda::testing {
namespace {

// Loading reads the board and its decks, names every picture file, fills the panels of the
// players taking part (15000 each; the others read "ไม่มีผู้เล่น" and lose their tokens),
// shows the start square and sets the sequencer on its greeting.
TEST(WindowLoad, LoadsABoardFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(fixture::makeBoardFolder(dir.path(), fixture::defaultBoardSource()));
    RecordingPort port;
    Game game(port, dir.path());
    game.locale = QLocale::c();
    game.state.PlayerCount = 2;
    game.state.NewBoard = true;
    game.state.Config.ConfigPath = dir.path() + QStringLiteral("/KovarT.dat  ");
    game.state.Players(1).Name = QStringLiteral("ก");
    game.Form_Load();

    const GameState& s = game.state;
    const GameWindow& w = game.window;
    const QString image = dir.path() + QStringLiteral("/Image/");
    EXPECT_EQ(port.beeps, 0);
    EXPECT_EQ(w.Caption, QStringLiteral("เกมKroda 2.0 Final"));
    EXPECT_EQ(w.Picture, dir.path() + QStringLiteral("/RsCommon/Game.bmp"));
    EXPECT_EQ(w.ImgCenter.File, image + QStringLiteral("CBlock.bmp"));
    EXPECT_EQ(s.Squares(40).Name.trimmed(), QStringLiteral("ถนนราชดำเนิน"));
    EXPECT_EQ(s.Deck1.size(), 20);
    EXPECT_EQ(s.Deck2.size(), 20);
    EXPECT_EQ(s.NextCard1 + s.NextCard2, 2);
    EXPECT_EQ(w.ImgTable[39].Strip, SideStrip);
    EXPECT_EQ(w.ImgTable[39].Cell, 35);
    EXPECT_EQ(w.ImgTable[30].Strip, CornerStrip);
    EXPECT_EQ(w.ImgTable[30].Cell, 3);
    EXPECT_TRUE(w.ImgTable[7].HandPointer);
    const char* files[15] = {nullptr,       nullptr,       nullptr,       "Yelface.bmp",
                             "Redface.bmp", "Grnface.bmp", "Whiface.bmp", "Bluface.bmp",
                             nullptr,       nullptr,       nullptr,       nullptr,
                             "Hblocks.bmp", "Vblocks.bmp", "Stblocks.bmp"};
    for (int holder = 3; holder < 15; ++holder) {
        if (files[holder])
            EXPECT_EQ(game.FrmSource.PicCSource[holder].File, image + QLatin1String(files[holder]));
        else
            EXPECT_FALSE(game.FrmSource.PicCSource[holder].File.isEmpty()) << holder;
    }
    EXPECT_EQ(game.FrmSource.PicCSource[DiceStrip].File,
              dir.path() + QStringLiteral("/RsCommon/Tao.bmp"));
    EXPECT_EQ(game.FrmSource.PicCSource[IllustrationStrip].Rows, 5);
    EXPECT_EQ(game.FrmSource.PicCSource[IllustrationStrip].Cols, 8);

    EXPECT_EQ(w.LblPName[0].Caption, QStringLiteral("ก"));
    EXPECT_EQ(w.LblPMoney[1].Caption, QStringLiteral("฿15,000.00"));
    EXPECT_EQ(w.ImgPlayer[1].Strip, 5);
    for (int p : {3, 4}) {
        EXPECT_EQ(w.LblPName[p - 1].Caption, QStringLiteral("ไม่มีผู้เล่น"));
        EXPECT_FALSE(w.ShpMark[p - 1].Visible);
        EXPECT_EQ(s.Players(p).Money, Currency{});
    }
    EXPECT_EQ(w.LblOwner.Caption, QStringLiteral("เจ้าของ: ธนาคาร"));
    EXPECT_EQ(w.ImgTao[0].Cell, 0);
    EXPECT_EQ(w.ImgTao[1].Cell, 4);
    EXPECT_EQ(w.ImgDescripter.Cell, 1);
    EXPECT_EQ(s.TalkStep, 1);
    EXPECT_EQ(s.TalkLen,
              QStringLiteral("ยินดีต้อนรับสู่เกมKroda ผม 'นายเหลือง' จะมาเป็นผู้บรรยายในเกมนี้").size());
    EXPECT_EQ(w.ImgHead[20].Strip, HorizontalBlocks);
    EXPECT_EQ(w.ImgBottom[30].Strip, VerticalBlocks);
}

// A board whose mark is not exactly "KOVART" is loaded after one beep; a board that cannot
// be read is not used at all and the reader's report is thrown.
TEST(WindowLoad, WrongMarkBeepsAndErrorsThrow) {
    QTemporaryDir dir;
    QString source = fixture::defaultBoardSource();
    source.replace(QStringLiteral("mark \"KOVART\""), QStringLiteral("mark \"kovart\""));
    ASSERT_TRUE(fixture::makeBoardFolder(dir.path(), source));
    RecordingPort port;
    Game game(port, dir.path());
    game.state.NewBoard = true;
    game.state.Config.ConfigPath = dir.path() + QStringLiteral("/KovarT.dat");
    game.Form_Load();
    EXPECT_EQ(port.beeps, 1);
    EXPECT_EQ(game.state.Squares(1).Name.trimmed(), QStringLiteral("จุดเริ่มต้น"));

    Game broken(port, dir.path());
    broken.state.NewBoard = true;
    broken.state.Config.ConfigPath = dir.path() + QStringLiteral("/Missing.dat");
    try {
        broken.Form_Load();
        ADD_FAILURE() << "no error";
    } catch (const BoardLoadError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("Missing.dat"))) << e.text().toStdString();
    }
    EXPECT_EQ(broken.state.TalkStep, 0);
}

// The board's pieces stand where the layout puts them: squares clockwise from the start,
// edge blocks inside and outside each side square, tokens in their quarters of the start.
TEST(WindowLoad, LayoutOfTheBoard) {
    GameHarness h;
    const GameWindow& w = h.game.window;
    EXPECT_EQ(w.ImgTable[9].Geometry, (Rect{56, 352, 32, 32}));
    EXPECT_EQ(w.ImgTable[11].Geometry, (Rect{16, 312, 32, 32}));
    EXPECT_EQ(w.ImgTable[29].Geometry, (Rect{312, 16, 32, 32}));
    EXPECT_EQ(w.ImgTable[31].Geometry, (Rect{352, 56, 32, 32}));
    EXPECT_EQ(w.ImgHead[9].Geometry, (Rect{48, 312, 9, 33}));
    EXPECT_EQ(w.ImgBottom[9].Geometry, (Rect{8, 312, 9, 33}));
    EXPECT_EQ(w.ImgBottom[26].Geometry, (Rect{312, 8, 33, 9}));
    EXPECT_EQ(w.ImgHead[35].Geometry, (Rect{344, 312, 9, 33}));
    EXPECT_EQ(w.ShpMark[3].Geometry, (Rect{368, 368, 16, 16}));
    EXPECT_EQ(w.LblPMoney[3].Geometry, (Rect{472, 440, 153, 25}));
    EXPECT_EQ(w.TxtDialog.BackColor, 0x00FFFF);
}

}  // namespace
}  // namespace kroda::testing
