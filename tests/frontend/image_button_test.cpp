// The image buttons' cells and icon positions through press, hover and release, in each
// window's parameters.
#include "frontend/image_button.h"
#include "frontend/about_window.h"
#include "frontend/title_screen.h"
#include "frontend/wizard.h"

#include <gtest/gtest.h>

#include <array>

namespace kroda {
namespace {

struct Row {
    std::array<ImageButton, 3> buttons;
    Label description;
    ImageButtonRow row{buttons, {SquareButtons, 328}, &description};
    Row() {
        for (int i = 0; i < 3; ++i) {
            buttons[i].Icon.Geometry = {96 + 100 * i, 328, 32, 32};
            buttons[i].Text.Geometry = {96 + 100 * i, 328, 32, 32};
            buttons[i].HoverText = QStringLiteral("hover %1").arg(i);
        }
        description.Caption = QStringLiteral("rest");
    }
    Rect icon(int i) const { return buttons[i].Icon.Geometry; }
    int cell(int i) const { return buttons[i].Button.Cell; }
};

// Press sinks the button (cell 2, icon one right and two down) once; release raises it to
// the highlighted look; a second press while down does nothing.
TEST(ImageButton, PressAndRelease) {
    Row r;
    EXPECT_TRUE(r.row.mouseDown(1));
    EXPECT_EQ(r.cell(1), PressedCell);
    EXPECT_EQ(r.icon(1), (Rect{197, 330, 32, 32}));
    EXPECT_EQ(r.buttons[1].Text.Geometry, (Rect{197, 330, 32, 32})) << "a label moves as an icon";
    EXPECT_FALSE(r.row.mouseDown(1));
    EXPECT_EQ(r.icon(1), (Rect{197, 330, 32, 32}));
    r.row.mouseUp(1);
    EXPECT_EQ(r.cell(1), HighlightCell);
    EXPECT_EQ(r.icon(1), (Rect{196, 328, 32, 32}));
    r.row.mouseUp(1);
    EXPECT_EQ(r.icon(1), (Rect{196, 328, 32, 32}))
        << "a release of a raised button changes nothing";
    EXPECT_EQ(r.description.Caption, QStringLiteral("rest")) << "a press alone leaves the text";
}

// Hovering highlights one button, returns every other to normal and shows its text; leaving
// a button removes nothing. Moving in with a button held sinks it without a press, and once
// it is down, held moves change nothing at all.
TEST(ImageButton, HoverAndHeldMoves) {
    Row r;
    r.row.mouseMove(0, false);
    EXPECT_EQ(r.cell(0), HighlightCell);
    EXPECT_EQ(r.description.Caption, QStringLiteral("hover 0"));
    r.row.mouseMove(2, false);
    EXPECT_EQ(r.cell(0), NormalCell);
    EXPECT_EQ(r.cell(2), HighlightCell);
    EXPECT_EQ(r.description.Caption, QStringLiteral("hover 2"));

    r.row.mouseMove(1, true);
    EXPECT_TRUE(r.row.isPressed(1));
    EXPECT_EQ(r.icon(1), (Rect{197, 330, 32, 32}));
    EXPECT_EQ(r.cell(1), HighlightCell);
    EXPECT_EQ(r.cell(2), NormalCell);
    EXPECT_EQ(r.description.Caption, QStringLiteral("hover 1"));
    r.buttons[1].Button.Cell = PressedCell;
    r.row.mouseMove(1, true);
    EXPECT_EQ(r.icon(1), (Rect{197, 330, 32, 32}));
    EXPECT_EQ(r.cell(1), PressedCell) << "held over a sunk button: nothing happens";
    EXPECT_FALSE(r.row.mouseDown(1)) << "the held move already sank it: a press does not act";
    r.row.mouseUp(1);
    EXPECT_EQ(r.icon(1), (Rect{196, 328, 32, 32}));
}

// Reset brings every button back to normal with its icon up.
TEST(ImageButton, ResetRaisesEveryButton) {
    Row r;
    r.row.mouseDown(0);
    r.row.mouseMove(2, false);
    r.row.reset();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(r.cell(i), NormalCell);
        EXPECT_EQ(r.icon(i).Top, 328);
    }
    EXPECT_EQ(r.icon(0).Left, 96);
}

// The three windows' parameters: strip, icon rest and pressed tops, hover texts.
TEST(ImageButton, EachWindowsParameters) {
    GameState state;
    SourceWindow source;
    TitleScreen title(state, source, QStringLiteral("/g"));
    title.ImgButton_MouseDown(2);
    EXPECT_EQ(title.window.ImgButton[2].Button.Strip, SquareButtons);
    EXPECT_EQ(title.window.ImgButton[2].Icon.Geometry, (Rect{233, 330, 32, 32}));
    title.ImgButton_MouseUp(2);
    title.ImgButton_MouseMove(3, false);
    EXPECT_EQ(title.window.LblDescript.Caption, QStringLiteral("คู่มือเกมKroda"));

    Wizard wizard(state, QStringLiteral("/g"), 640, 480);
    wizard.playClick = [](const QString&, std::function<void()>) {};
    wizard.ImgButtonW_MouseDown(BackButton);
    EXPECT_EQ(wizard.window.ImgButtonW[BackButton].Button.Strip, MiniButtons);
    EXPECT_EQ(wizard.window.ImgButtonW[BackButton].Button.Geometry, (Rect{392, 360, 32, 32}));
    EXPECT_EQ(wizard.window.ImgButtonW[BackButton].Icon.Geometry, (Rect{401, 370, 16, 16}));
    wizard.ImgButtonW_MouseMove(NextButton, false);
    EXPECT_EQ(wizard.window.LblDescriptW.Caption, QStringLiteral("ถัดไป"));

    About about(QStringLiteral("/g/RsCommon/"), QStringLiteral("/g"), 640, 480);
    about.playClick = [](const QString&, std::function<void()>) {};
    about.ImgButtonA_MouseDown(1);
    EXPECT_EQ(about.window.ImgButtonA[1].Button.Strip, LongButtons);
    EXPECT_EQ(about.window.ImgButtonA[1].Button.Cell, PressedCell);
    EXPECT_EQ(about.window.ImgButtonA[1].Text.Geometry.Left, 161);
    EXPECT_EQ(about.window.ImgButtonA[1].Text.Geometry.Top, 322);
    about.ImgButtonA_MouseUp(1);
    EXPECT_EQ(about.window.ImgButtonA[1].Text.Geometry.Top, 320);
}

}  // namespace
}  // namespace kroda
