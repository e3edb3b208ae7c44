// The loading of the game window from a board folder, and the window's layout.
#include "model/board_reader.h"
#include "support/fixture_board.h"
#include "support/game_harness.h"

#include <QTemporaryDir>

#include <cstdlib>

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

namespace {
bool overlap(const Rect& a, const Rect& b) {
    return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
           b.Top < a.Top + a.Height;
}
bool inside(const Rect& in, const Rect& out) {
    return in.Left >= out.Left && in.Top >= out.Top && in.Left + in.Width <= out.Left + out.Width &&
           in.Top + in.Height <= out.Top + out.Height;
}
// Twice the centre, to stay in whole pixels.
int cx(const Rect& r) {
    return 2 * r.Left + r.Width;
}
int cy(const Rect& r) {
    return 2 * r.Top + r.Height;
}
}  // namespace

// The squares make a closed ring: each touches the next one along a whole side, corners are
// 48 pixels and the others 32, and no two overlap.
TEST(WindowLoad, TheSquaresMakeARing) {
    GameHarness h;
    const GameWindow& w = h.game.window;
    for (int k = 0; k < 40; ++k) {
        const Rect& a = w.ImgTable[k].Geometry;
        const int size = k % 10 == 0 ? 48 : 32;
        EXPECT_EQ(a.Width, size) << k;
        EXPECT_EQ(a.Height, size) << k;
        for (int j = k + 1; j < 40; ++j)
            EXPECT_FALSE(overlap(a, w.ImgTable[j].Geometry)) << k << "/" << j;
        // The next square, grown by one pixel, meets this one.
        const Rect& b = w.ImgTable[(k + 1) % 40].Geometry;
        const Rect grown{b.Left - 1, b.Top - 1, b.Width + 2, b.Height + 2};
        EXPECT_TRUE(overlap(a, grown)) << k << " does not touch the next square";
    }
}

// Each side square has its building block on the board's inner side and its owner block on
// the outer side, both running along the square; the tokens at rest on a square stay inside
// it and apart.
TEST(WindowLoad, EdgeBlocksAndTokensSitAroundTheirSquares) {
    GameHarness h;
    const GameWindow& w = h.game.window;
    const Rect& centre = w.ImgTable[20].Geometry;  // the top-left corner and its opposite
    const Rect& far = w.ImgTable[0].Geometry;
    const int mx = (cx(centre) + cx(far)) / 2;
    const int my = (cy(centre) + cy(far)) / 2;
    int i = 0;
    for (int k = 0; k < 40; ++k) {
        if (k % 10 == 0)
            continue;
        const Rect& sq = w.ImgTable[k].Geometry;
        const Rect& head = w.ImgHead[i].Geometry;
        const Rect& bottom = w.ImgBottom[i].Geometry;
        ++i;
        const auto distance = [&](const Rect& r) {
            return std::abs(cx(r) - mx) + std::abs(cy(r) - my);
        };
        EXPECT_LT(distance(head), distance(sq)) << k;
        EXPECT_GT(distance(bottom), distance(sq)) << k;
        const bool row = k < 10 || (k > 20 && k < 30);
        for (const Rect* block : {&head, &bottom}) {
            EXPECT_EQ(row ? block->Left : block->Top, row ? sq.Left : sq.Top) << k;
            EXPECT_EQ(row ? block->Width : block->Height, 33) << k;
        }
    }
    EXPECT_EQ(i, 36);

    for (int square : {0, 5, 10}) {
        for (int p = 1; p <= 4; ++p) {
            h.game.PutTao(static_cast<Integer>(p), static_cast<Integer>(square),
                          static_cast<Integer>(p));
        }
        for (int p = 0; p < 4; ++p) {
            EXPECT_TRUE(inside(w.ShpMark[p].Geometry, w.ImgTable[square].Geometry)) << square;
            for (int q = p + 1; q < 4; ++q)
                EXPECT_FALSE(overlap(w.ShpMark[p].Geometry, w.ShpMark[q].Geometry)) << square;
        }
    }
}

}  // namespace
}  // namespace kroda::testing
