// The real windows on the offscreen platform, driven by QTest's keys and mouse.
#include "game/save_game.h"
#include "model/seat_defaults.h"
#include "platform/recording_port.h"
#include "support/fixture_board.h"
#include "support/wait_until.h"
#include "widgets/frm_back.h"
#include "widgets/game_session.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kroda::widgets {
namespace {

using kroda::testing::waitUntil;

SessionOptions fast() {
    SessionOptions options;
    options.speed = 100.0;
    return options;
}

struct Session {
    GameSession session;
    bool quit = false;
    explicit Session(const QString& folder = QStringLiteral(KRODA_GAME_DIR))
        : session(folder, fast()) {
        session.interactive = false;
        session.port().onQuit = [this] { quit = true; };
        GameState& s = session.game().state;
        s.PlayerCount = 2;
        for (int p = 1; p <= 2; ++p) {
            Player& pl = s.Players(p);
            const SeatDefaults& seat = seatDefaults()[static_cast<std::size_t>(p - 1)];
            pl.Name = QStringLiteral("ผู้เล่น:%1").arg(p);
            pl.IsHuman = true;
            pl.Color = seat.Color;
            for (int k = 1; k <= 3; ++k)
                pl.KeyCode(k) = seat.KeyCode[static_cast<std::size_t>(k - 1)];
        }
    }
    Game& game() { return session.game(); }
    QPoint centreOf(const Image& image) const {
        const Rect& r = image.Geometry;
        return {r.Left + r.Width / 2, r.Top + r.Height / 2};
    }
};

TEST(GameWindow, OpensAtItsSizeWithItsCaption) {
    Session t;
    ASSERT_TRUE(t.session.start());
    FrmGame* w = t.session.gameWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->size(), QSize(640, 480));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("เกมKroda 2.0 Final"));
}

// The backdrop's load maximises it on a 640 x 480 screen and centres it on any screen.
TEST(Backdrop, MaximisedOn640x480AndCentred) {
    const struct {
        QSize screen;
        bool maximised;
        QPoint at;
    } screens[] = {{{640, 480}, true, {0, 0}}, {{1024, 768}, false, {192, 144}}};
    for (const auto& c : screens) {
        FrmBack backdrop;
        backdrop.load(c.screen);
        EXPECT_EQ(backdrop.isMaximized(), c.maximised) << c.screen.width();
        EXPECT_EQ(backdrop.pos(), c.at) << c.screen.width();
        EXPECT_EQ(backdrop.size(), QSize(640, 480));
    }
}

TEST(GameWindow, ABadBoardIsRefusedWithItsMessage) {
    EXPECT_FALSE(checkBoard(QStringLiteral("/nonexistent-board"), false)->isEmpty());
    EXPECT_FALSE(checkBoard(QString(), false).has_value());
}

// A picture of the game window that is missing or no picture stops the start as a bad board
// does: the file and its fault on stderr, and no window.
TEST(GameWindow, AMissingOrBrokenWindowPictureStopsTheStart) {
    const struct {
        const char* file;
        std::optional<QByteArray> bytes;
        const char* fault;
    } cases[] = {
        {"RsCommon/Game.bmp", std::nullopt, "the file is missing"},
        {"RsCommon/Tao.bmp", QByteArray("BM not a picture"), "not a picture that can be read"},
        {"Image/Whiface.bmp", std::nullopt, "the file is missing"},
        {"Image/Yelface.bmp", QByteArray(), "not a picture that can be read"},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        ASSERT_TRUE(fixture::gameFolderWith(dir.path(), QLatin1String(c.file), c.bytes));
        Session t(dir.path());
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(t.session.start()) << c.file;
        const std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find(std::string(c.file) + ": " + c.fault), std::string::npos) << err;
        EXPECT_EQ(t.session.gameWindow(), nullptr) << c.file;
    }
}

// A die takes a click only while it is enabled: at the start nobody may throw.
TEST(GameWindow, AClickOnADisabledDieDoesNothing) {
    Session t;
    ASSERT_TRUE(t.session.start());
    Game& g = t.game();
    ASSERT_FALSE(g.window.ImgTao[0].Enabled);
    QTest::mouseClick(t.session.gameWindow(), Qt::LeftButton, {}, t.centreOf(g.window.ImgTao[0]));
    QTest::mouseClick(t.session.gameWindow(), Qt::LeftButton, {}, t.centreOf(g.window.ImgTao[2]));
    EXPECT_EQ(g.state.Die1, 0);
    EXPECT_EQ(g.state.Die2, 0);
}

// The toolbar sinks while pressed, names the button under the pointer, and its quit runs
// after the click sound, which ends even with no audio device.
TEST(GameWindow, ToolbarPressHoverAndQuit) {
    Session t;
    ASSERT_TRUE(t.session.start());
    Game& g = t.game();
    FrmGame* w = t.session.gameWindow();
    QTest::mouseMove(w, t.centreOf(g.window.ImgIconT[1]));
    QCoreApplication::processEvents();
    EXPECT_EQ(g.window.LblBDescript.Caption, QStringLiteral("ดนตรีประกอบ"));
    const QPoint quit = t.centreOf(g.window.ImgIconT[5]);
    QTest::mousePress(w, Qt::LeftButton, {}, quit);
    EXPECT_EQ(g.window.ImgIconT[5].Geometry.Top, 313);
    EXPECT_EQ(g.window.ImgIconT[5].Geometry.Left, 153);
    QTest::mouseRelease(w, Qt::LeftButton, {}, quit);
    EXPECT_EQ(g.window.ImgIconT[5].Geometry.Top, 312);
    testing::waitUntil([&] { return t.quit; }, 5000, "the quit after the click sound");
}

// The save button opens a save dialog in the save folder while the game goes on behind it;
// the file, written when the dialog answers, holds the moment of the press and gets ".Sav".
TEST(GameWindow, ToolbarSaveWritesTheMomentOfThePress) {
    Session t;
    ASSERT_TRUE(t.session.start());
    Game& g = t.game();
    FrmGame* w = t.session.gameWindow();
    // The moment the command runs, once the click sound is over, read inside the game's event.
    std::optional<std::int64_t> pressed;
    const auto ask = t.session.port().saveRequested;
    t.session.port().saveRequested = [&](const QString& title, const QString& filter,
                                         const QString& folder) {
        pressed = t.session.clock()->now();
        ask(title, filter, folder);
    };
    const QPoint save = t.centreOf(g.window.ImgIconT[2]);
    QTest::mouseMove(w, save);
    EXPECT_EQ(g.window.LblBDescript.Caption, QStringLiteral("บันทึกเกม"));
    QTest::mouseClick(w, Qt::LeftButton, {}, save);
    ASSERT_TRUE(waitUntil([&] { return t.session.saveDialog() != nullptr; }));
    ASSERT_TRUE(pressed.has_value());
    auto* dialog = qobject_cast<QFileDialog*>(t.session.saveDialog());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(saveFolder()).canonicalPath());
    EXPECT_EQ(g.window.ImgIconT[2].Geometry.Top, 312);
    EXPECT_TRUE(waitUntil([&] { return t.session.clock()->now() > *pressed + 1000; }))
        << "the game goes on behind the dialog";

    QTemporaryDir dir;
    dialog->setDirectory(dir.path());
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(QStringLiteral("evening"));  // typed, without the ending
    static_cast<QDialog*>(dialog)->accept();   // as its Save button does
    ASSERT_TRUE(waitUntil([&] { return t.session.saveDialog() == nullptr; }));
    const QString file = dir.filePath(QStringLiteral("evening.Sav"));
    ASSERT_TRUE(QFile::exists(file));
    RecordingPort port;
    Game loaded(port, QStringLiteral(KRODA_GAME_DIR));
    VirtualClock clock(loaded.timers, [&](TimerId id) { loaded.fire(id); });
    const auto problem = loadSaveFile(file, loaded, clock);
    ASSERT_FALSE(problem.has_value()) << problem->toStdString();
    EXPECT_EQ(clock.now(), *pressed);
}

// The card window is window-modal; any key or mouse press closes it through the game.
// A drag that went down on no control keeps the mouse to itself: passing over a toolbar
// button does not sink it, so the button's next press still runs its command.
TEST(GameWindow, ADragFromTheBoardLeavesTheToolbarUp) {
    Session t;
    ASSERT_TRUE(t.session.start());
    Game& g = t.game();
    FrmGame* w = t.session.gameWindow();
    const QPoint board(100, 300);
    const QPoint music = t.centreOf(g.window.ImgIconT[1]);
    QTest::mousePress(w, Qt::LeftButton, {}, board);
    QMouseEvent held(QEvent::MouseMove, QPointF(music), w->mapToGlobal(QPointF(music)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &held);
    EXPECT_EQ(g.window.ImgIconT[1].Geometry.Top, 312);
    QTest::mouseRelease(w, Qt::LeftButton, {}, music);
    EXPECT_EQ(g.window.ImgIconT[1].Geometry.Top, 312);
    QTest::mousePress(w, Qt::LeftButton, {}, t.centreOf(g.window.ImgIconT[5]));
    EXPECT_EQ(g.window.ImgIconT[5].Geometry.Top, 313);
}

TEST(CardWindow, ClosesOnAKeyAndOnAMousePress) {
    Session t;
    ASSERT_TRUE(t.session.start());
    Game& g = t.game();
    int treasure = 0;
    for (int n = 1; n <= 40 && !treasure; ++n)
        if (g.state.Squares(n).Kind == TreasureCard)
            treasure = n;
    ASSERT_NE(treasure, 0);
    const auto openCard = [&] {
        t.session.deliver([&](Game& gm) {
            gm.timers.TimerTalk.setEnabled(false);
            gm.state.CurPlayer = 1;
            gm.state.Players(1).Position = static_cast<Integer>(treasure - 1);
            gm.FrmCard_Load();
        });
    };
    openCard();
    FrmCard* card = t.session.cardWindow();
    ASSERT_NE(card, nullptr);
    EXPECT_TRUE(card->isVisible());
    EXPECT_EQ(card->windowModality(), Qt::WindowModal);
    QTest::keyClick(card, Qt::Key_Q);
    EXPECT_FALSE(g.window.FrmCard.Visible);
    testing::waitUntil([&] { return t.session.cardWindow() == nullptr; }, 5000,
                       "the card window to go");

    openCard();
    card = t.session.cardWindow();
    ASSERT_NE(card, nullptr);
    QTest::mousePress(card, Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_FALSE(g.window.FrmCard.Visible);
}

// A click on a square opens its deed card; another square redraws it; a click on "X" closes
// it: a press there alone does not, nor a press on "X" released elsewhere.
TEST(DeedCardWindow, OpensRedrawsAndCloses) {
    Session t;
    ASSERT_TRUE(t.session.start());
    Game& g = t.game();
    FrmGame* w = t.session.gameWindow();
    QTest::mouseClick(w, Qt::LeftButton, {}, t.centreOf(g.window.ImgTable[1]));
    ASSERT_TRUE(g.FrmOCard.Visible);
    FrmOCard* card = t.session.deedCardWindow();
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("///"));
    EXPECT_EQ(card->size(), QSize(340, 240));
    EXPECT_EQ(g.FrmOCard.LblLname.Caption, g.state.Squares(2).Name.trimmed());
    QTest::mouseClick(w, Qt::LeftButton, {}, t.centreOf(g.window.ImgTable[5]));
    EXPECT_EQ(g.FrmOCard.LblLname.Caption, g.state.Squares(6).Name.trimmed());
    EXPECT_EQ(t.session.deedCardWindow(), card);
    const QPoint x(318, 22);
    QTest::mousePress(card, Qt::LeftButton, {}, x);
    EXPECT_TRUE(g.FrmOCard.Visible);
    QTest::mouseRelease(card, Qt::LeftButton, {}, QPoint(200, 200));
    EXPECT_TRUE(g.FrmOCard.Visible);
    QTest::mouseRelease(card, Qt::LeftButton, {}, x);
    EXPECT_TRUE(g.FrmOCard.Visible) << "a release with no press on X";
    QTest::mousePress(card, Qt::LeftButton, {}, x);
    QTest::mouseRelease(card, Qt::LeftButton, {}, x);
    EXPECT_FALSE(g.FrmOCard.Visible);
    testing::waitUntil([&] { return t.session.deedCardWindow() == nullptr; }, 5000,
                       "the deed card window to go");
}

}  // namespace
}  // namespace kroda::widgets
