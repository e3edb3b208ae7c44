// The title screen: the picture folders by colour depth, its buttons and their actions, and
// the reset when it is active again; the window helpers it loads with.
#include "frontend/title_screen.h"
#include "frontend/colour_count.h"
#include "game/save_game.h"

#include <gtest/gtest.h>

#include <vector>

namespace kroda {
namespace {

const QString kApp = QStringLiteral("/games/kroda");

// 2 to the bits per pixel times the planes; 32 bits overflow the 32-bit count.
TEST(ColourCount, PowersOfTwoTimesPlanes) {
    EXPECT_EQ(colourCount(8, 1), 256);
    EXPECT_EQ(colourCount(16, 1), 65536);
    EXPECT_EQ(colourCount(24, 1), 16777216);
    EXPECT_EQ(colourCount(4, 4), 64);
    EXPECT_EQ(colourCount(30, 1), 1 << 30);
    EXPECT_EQ(colourCount(30, 2), std::nullopt);
    EXPECT_EQ(colourCount(31, 1), std::nullopt);
    EXPECT_EQ(colourCount(32, 1), std::nullopt);
    EXPECT_EQ(colourCount(64, 1), std::nullopt);
}

// At most 256 colours take the 256-colour pictures; 16, 24 and 32 bits the 64K ones, 32 bits
// because the count could not be had.
TEST(TitleScreen, PictureFolderByDepth) {
    struct Case {
        int bits;
        const char* folder;
    };
    for (const Case& c : {Case{8, "/Rs256/"}, Case{16, "/Rs64K/"}, Case{24, "/Rs64K/"},
                          Case{32, "/Rs64K/"}, Case{1, "/Rs256/"}}) {
        GameState state;
        SourceWindow source;
        TitleScreen title(state, source, kApp);
        title.Form_Load({1024, 768}, colourCount(c.bits, 1));
        const QString depth = kApp + QString::fromLatin1(c.folder);
        EXPECT_EQ(state.DepthFolder, depth) << c.bits;
        EXPECT_EQ(state.CommonFolder, kApp + QStringLiteral("/RsCommon/"));
        EXPECT_EQ(state.ImageFolder, kApp + QStringLiteral("/Image/"));
        EXPECT_EQ(title.pictureFiles(), (QStringList{depth + "Title.bmp", depth + "SQBtns.Bmp",
                                                     depth + "LBtns.bmp", depth + "MiniBtns.bmp"}));
        EXPECT_EQ(source.PicCSource[MiniButtons].Cols, 3);
        EXPECT_EQ(title.window.CmnDlg.InitDir, saveFolder());
    }
}

// Maximised only on a 640 x 480 screen, normal on 640 x 400, left alone elsewhere; always
// centred as every window is, halves cut off, overhanging a screen smaller than the window.
TEST(TitleScreen, MaximiseAndCentre) {
    bool maximised = true;
    maximiseOn640x480(maximised, {800, 600});
    EXPECT_TRUE(maximised);
    maximiseOn640x480(maximised, {640, 400});
    EXPECT_FALSE(maximised);
    maximiseOn640x480(maximised, {640, 480});
    EXPECT_TRUE(maximised);

    Rect r{5, 5, 640, 480};
    centreWindow(r, {1024, 768});
    EXPECT_EQ(r, (Rect{192, 144, 640, 480}));
    centreWindow(r, {600, 400});
    EXPECT_EQ(r, (Rect{-20, -40, 640, 480}));
    centreWindow(r, {1023, 767});
    EXPECT_EQ(r, (Rect{191, 143, 640, 480}));
}

// Five visible buttons with their icons 8 pixels in; the version text's shadow 10 right and
// 4 down.
TEST(TitleScreen, Controls) {
    GameState state;
    SourceWindow source;
    TitleScreen title(state, source, kApp);
    const TitleWindow& w = title.window;
    EXPECT_EQ(w.Caption, QStringLiteral("เกมKroda 2.0 Final"));
    const int lefts[5] = {88, 200, 224, 368, 504};
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(w.ImgButton[i].Button.Visible);
        EXPECT_EQ(w.ImgButton[i].Button.Geometry.Left, lefts[i]);
        EXPECT_EQ(w.ImgButton[i].Icon.Geometry.Left, lefts[i] + 8);
        EXPECT_EQ(w.ImgButton[i].Icon.Geometry.Top, w.ImgButton[i].Button.Geometry.Top + 8);
    }
    EXPECT_EQ(w.lblVers[1].Geometry.Left - w.lblVers[0].Geometry.Left, 10);
    EXPECT_EQ(w.lblVers[1].Geometry.Top - w.lblVers[0].Geometry.Top, 4);
    EXPECT_EQ(w.lblVers[0].ForeColor, 0xFFFFFF);
    EXPECT_EQ(w.lblVers[1].ForeColor, 0x000000);
    EXPECT_EQ(w.LblDescript.Caption, QStringLiteral("กรุณาชี้ที่ปุ่มข้างบนนี้และคลิ้ก"));
}

// Each button's action comes after its click sound; no press counts while a click plays. A
// pressed icon sinks within its own button, wherever the button stands, and rises again.
TEST(TitleScreen, ActionsFollowTheClick) {
    GameState state;
    SourceWindow source;
    TitleScreen title(state, source, kApp);
    std::vector<TitleAction> acts;
    std::function<void()> pending;
    title.act = [&](TitleAction a) { acts.push_back(a); };
    title.playClick = [&](const QString& path, std::function<void()> done) {
        EXPECT_EQ(path, kApp + QStringLiteral("/Sound/505.wav"));
        pending = std::move(done);
    };
    for (int i : {0, 1, 2, 3, 4, 5}) {
        const std::size_t before = acts.size();
        const ImageButton& b = title.window.ImgButton[static_cast<std::size_t>(i)];
        title.ImgButton_MouseDown(i);
        EXPECT_EQ(b.Icon.Geometry.Top, b.Button.Geometry.Top + 10) << "button " << i;
        EXPECT_EQ(acts.size(), before) << "the click is still playing";
        title.ImgButton_MouseDown(i == 1 ? 2 : 1);  // a click is playing
        pending();
        EXPECT_EQ(acts.size(), before + 1);
        title.ImgButton_MouseUp(i);
        EXPECT_EQ(b.Icon.Geometry.Top, b.Button.Geometry.Top + 8) << "button " << i;
    }
    EXPECT_EQ(acts, (std::vector<TitleAction>{TitleAction::NewGame, TitleAction::Continue,
                                              TitleAction::About, TitleAction::Manual,
                                              TitleAction::Exit, TitleAction::Join}));
    EXPECT_EQ(title.manualPath(), kApp + QStringLiteral("/help/help.htm"));
}

// Activation after a modal window: every button normal, icons 0 to 3 up, the resting text.
TEST(TitleScreen, ActivationResetsButtonsAndText) {
    GameState state;
    SourceWindow source;
    TitleScreen title(state, source, kApp);
    title.playClick = [](const QString&, std::function<void()>) {};
    title.ImgButton_MouseMove(3, false);
    title.ImgButton_MouseDown(2);  // its release goes to the about window
    title.Form_Activate();
    EXPECT_EQ(title.window.ImgButton[1].Icon.Geometry, (Rect{208, 184, 32, 32}));
    for (const ImageButton& b : title.window.ImgButton) EXPECT_EQ(b.Button.Cell, NormalCell);
    EXPECT_EQ(title.window.ImgButton[2].Icon.Geometry, (Rect{232, 328, 32, 32}));
    EXPECT_EQ(title.window.LblDescript.Caption, TitleScreen::restingDescription());
}

}  // namespace
}  // namespace kroda
