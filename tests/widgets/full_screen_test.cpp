// Full screen is the game window's and the speed is the program's, never the game's: F11
// reaches no player's keys, the game is drawn whole at the largest scale that fits and takes
// the mouse where it is drawn, and a window that shows no speed (a network client's) has no
// speed button to press.

#include "support/game_harness.h"
#include "support/wait_until.h"
#include "widgets/frm_game.h"

#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <variant>
#include <vector>

namespace kroda::widgets {
namespace {

using kroda::testing::waitUntil;

QPoint centreOf(const Image& image) {
    const Rect& r = image.Geometry;
    return {r.Left + r.Width / 2, r.Top + r.Height / 2};
}

TEST(FullScreen, F11IsTheWindowsAndTheGameIsDrawnWholeWhereItTakesTheMouse) {
    kroda::testing::GameHarness h(2);
    h.load();
    std::vector<WindowInput> inputs;
    std::vector<bool> chosen;
    PictureCache pictures;
    FrmGame w(
        h.game, [&](const WindowInput& in) { inputs.push_back(in); }, pictures, 1);
    w.fullScreenChanged = [&](bool on) { chosen.push_back(on); };
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const Image& speed = h.game.window.ImgIconT[SpeedButton];
    const Image& music = h.game.window.ImgIconT[MusicButton];

    // Without a speed to show, the speed button is not there to press; the others are.
    QTest::mouseClick(&w, Qt::LeftButton, {}, centreOf(speed));
    EXPECT_TRUE(inputs.empty());
    w.shownSpeed = [] { return 2.0; };
    QTest::mouseClick(&w, Qt::LeftButton, {}, centreOf(speed));
    ASSERT_EQ(inputs.size(), 2u);  // down and up
    EXPECT_EQ(std::get<ToolbarMouse>(inputs[0]).index, SpeedButton);
    inputs.clear();

    const QImage windowed = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QTest::keyClick(&w, Qt::Key_F11);
    ASSERT_TRUE(w.isFullScreen());
    EXPECT_TRUE(inputs.empty());
    ASSERT_TRUE(waitUntil([&] { return w.size() == w.screen()->geometry().size(); }));
    const QSize screen = w.size();
    ASSERT_GT(screen.width(), FrmGame::kWidth);
    const int s = std::min(screen.width() / FrmGame::kWidth, screen.height() / FrmGame::kHeight);
    const QRect area = w.gameArea();
    EXPECT_EQ(area.size(), QSize(FrmGame::kWidth * s, FrmGame::kHeight * s));
    EXPECT_EQ(area.center(), QRect(QPoint(0, 0), screen).center());
    // The margins are black, and the game is the window's picture enlarged pixel for pixel.
    const QImage shot = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(screen.width() - 1, screen.height() - 1), QColor(Qt::black));
    EXPECT_TRUE(shot.copy(area).scaled(windowed.size(), Qt::IgnoreAspectRatio,
                                       Qt::FastTransformation) == windowed);

    // A press lands on the control drawn under it; one on the black margin on none.
    QTest::mouseClick(&w, Qt::LeftButton, {}, area.topLeft() + centreOf(music) * s);
    ASSERT_EQ(inputs.size(), 2u);
    EXPECT_EQ(std::get<ToolbarMouse>(inputs[0]).index, MusicButton);
    inputs.clear();
    if (area.left() > 0) {
        QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(area.left() - 1, area.center().y()));
        EXPECT_TRUE(inputs.empty());
    }

    QTest::keyClick(&w, Qt::Key_F11);
    EXPECT_FALSE(w.isFullScreen());
    EXPECT_TRUE(waitUntil([&] { return w.size() == QSize(FrmGame::kWidth, FrmGame::kHeight); }));
    EXPECT_TRUE(inputs.empty());
    EXPECT_EQ(chosen, (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace kroda::widgets
