// The title screen, the wizard and the about window as windows, driven by real mouse and key
// events: where the buttons' cells and icons are through press, hover and release, and what
// the windows pass on.
#include "frontend/about_window.h"
#include "frontend/title_screen.h"
#include "frontend/wizard.h"
#include "model/game_state.h"
#include "widgets/about_window.h"
#include "widgets/title_window.h"
#include "widgets/wizard_window.h"

#include <QImage>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace kroda::widgets {
namespace {

const QString kGame = QStringLiteral(KRODA_GAME_DIR);

// A click that finishes only when the test says so.
struct HeldClick {
    std::function<void()> pending;
    int plays = 0;
    ClickPlayer player() {
        return [this](const QString&, std::function<void()> done) {
            ++plays;
            pending = std::move(done);
        };
    }
    void finish() {
        auto done = std::move(pending);
        pending = {};
        if (done)
            done();
    }
};

struct TitleFixture {
    GameState state;
    SourceWindow source;
    PictureCache pictures;
    TitleScreen title{state, source, kGame};
    std::vector<TitleAction> acts;
    HeldClick click;
    FrmTitle window{title, pictures, source, 1};
    TitleFixture() {
        title.Form_Load({1024, 768}, 16777216);
        title.playClick = click.player();
        title.act = [this](TitleAction a) { acts.push_back(a); };
        window.show();
    }
    const ImageButton& button(int i) const { return title.window.ImgButton[i]; }
    QPoint centre(int i) const { return toQRect(button(i).Button.Geometry).center(); }
};

// The colour of a button's cell on screen at its top-left corner is the strip's cell's.
QRgb shownCorner(QWidget& w, const Rect& r) {
    return w.grab().toImage().pixel(r.Left + 1, r.Top + 1);
}

QRgb stripCorner(const QString& file, int cell, int cellWidth) {
    return QImage(file).pixel(cell * cellWidth + 1, 1);
}

// Hover highlights, a press sinks the button and its icon, the action waits for the click,
// the release raises it; the icon is not a target of its own.
TEST(FrontWindows, TitleButtonsThroughPressHoverRelease) {
    TitleFixture f;
    const QString strip = f.source.PicCSource[SquareButtons].File;
    QTest::mouseMove(&f.window, f.centre(3));
    EXPECT_EQ(f.button(3).Button.Cell, HighlightCell);
    EXPECT_EQ(f.title.window.LblDescript.Caption, QStringLiteral("คู่มือเกมKroda"));
    EXPECT_EQ(shownCorner(f.window, f.button(3).Button.Geometry), stripCorner(strip, 1, 48));

    // The icon lies over the button's middle: pressing there presses the button.
    QTest::mousePress(&f.window, Qt::LeftButton, {}, f.centre(2));
    EXPECT_EQ(f.button(2).Button.Cell, PressedCell);
    EXPECT_EQ(f.button(2).Icon.Geometry, (Rect{233, 330, 32, 32}));
    EXPECT_EQ(shownCorner(f.window, f.button(2).Button.Geometry), stripCorner(strip, 2, 48));
    EXPECT_TRUE(f.acts.empty()) << "the action waits for the click sound";
    QTest::mouseMove(&f.window, f.centre(2) + QPoint(3, 3));
    EXPECT_EQ(f.click.plays, 1);
    f.click.finish();
    EXPECT_EQ(f.acts, std::vector<TitleAction>{TitleAction::About});
    QTest::mouseRelease(&f.window, Qt::LeftButton, {}, f.centre(2));
    EXPECT_EQ(f.button(2).Button.Cell, HighlightCell);
    EXPECT_EQ(f.button(2).Icon.Geometry, (Rect{232, 328, 32, 32}));

    // A press outside every button does nothing.
    QTest::mouseClick(&f.window, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(f.click.plays, 1);
}

// Any mouse button presses a title button. A press keeps the mouse: the release lands on the
// pressed button even off it, and moving with the button held never presses it again.
TEST(FrontWindows, HeldButtonActsOnce) {
    for (const Qt::MouseButton held : {Qt::LeftButton, Qt::MiddleButton, Qt::RightButton}) {
        TitleFixture f;
        QTest::mousePress(&f.window, held, {}, f.centre(0));
        f.click.finish();
        for (int dx = 0; dx < 5; ++dx) {
            QMouseEvent move(QEvent::MouseMove, QPointF(f.centre(0) + QPoint(dx, 0)),
                             QPointF(f.window.mapToGlobal(f.centre(0) + QPoint(dx, 0))),
                             Qt::NoButton, held, {});
            QApplication::sendEvent(&f.window, &move);
        }
        EXPECT_EQ(f.click.plays, 1) << static_cast<int>(held);
        QTest::mouseRelease(&f.window, held, {}, QPoint(600, 20));
        EXPECT_EQ(f.button(0).Icon.Geometry.Top, 328) << static_cast<int>(held);
        EXPECT_EQ(f.acts, std::vector<TitleAction>{TitleAction::NewGame}) << static_cast<int>(held);
    }
}

// When the title screen becomes active again its buttons and description come back to rest,
// although the button that opened a modal window never saw its release.
TEST(FrontWindows, TitleResetsOnActivation) {
    TitleFixture f;
    QWidget other;
    other.show();
    QTest::mouseMove(&f.window, f.centre(4));
    QTest::mousePress(&f.window, Qt::LeftButton, {}, f.centre(0));
    f.click.finish();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    f.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
    for (const ImageButton& b : f.title.window.ImgButton) EXPECT_EQ(b.Button.Cell, NormalCell);
    EXPECT_EQ(f.button(0).Icon.Geometry.Top, 328);
    EXPECT_EQ(f.title.window.LblDescript.Caption, TitleScreen::restingDescription());
}

// The first frame is reported once.
TEST(FrontWindows, FirstFrameIsReportedOnce) {
    GameState state;
    SourceWindow source;
    PictureCache pictures;
    TitleScreen title(state, source, kGame);
    title.Form_Load({1024, 768}, 65536);
    FrmTitle window(title, pictures, source, 2);
    int frames = 0;
    window.firstFrame = [&] { ++frames; };
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.repaint();
    window.repaint();
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(window.size(), QSize(1280, 960)) << "the scale enlarges the window";
}

struct WizardFixture {
    GameState state;
    SourceWindow source;
    PictureCache pictures;
    std::unique_ptr<Wizard> wizard;
    std::unique_ptr<FrmWizard> window;
    std::vector<WizardOutcome> outcomes;
    WizardFixture() {
        TitleScreen title(state, source, kGame);
        title.Form_Load({1024, 768}, 65536);
        wizard = std::make_unique<Wizard>(state, kGame, 1024, 768);
        wizard->finished = [this](WizardOutcome o) { outcomes.push_back(o); };
        window = std::make_unique<FrmWizard>(*wizard, pictures, source, 1);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void click(const Rect& r) {
        QTest::mouseClick(window.get(), Qt::LeftButton, {}, toQRect(r).center());
    }
    void clickButton(int i) { click(wizard->window.ImgButtonW[i].Button.Geometry); }
};

// Through the wizard's pages with the mouse: the choices take clicks, the name box takes
// typing of at most 12 characters and selects all on focus, Enter is Next and Escape Close.
TEST(FrontWindows, WizardPagesWithMouseAndKeys) {
    WizardFixture f;
    f.clickButton(NextButton);
    EXPECT_EQ(f.state.WizardStep, OptionsPage);
    f.click(f.wizard->window.Check1.Geometry);
    EXPECT_FALSE(f.wizard->window.Check1.Value);
    QTest::keyClick(f.window.get(), Qt::Key_Return);
    EXPECT_EQ(f.state.WizardStep, PlayerCountPage);
    EXPECT_FALSE(f.state.BankruptCardOn);
    f.click(f.wizard->window.Opt2[1].Geometry);
    f.clickButton(NextButton);
    EXPECT_EQ(f.state.PlayerCount, 3);
    f.clickButton(NextButton);
    ASSERT_EQ(f.wizard->shownPanel(), PersonNamePanel);
    QLineEdit* box = f.window->nameBox(0);
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(f.window->nameBox(1)->isVisible());
    EXPECT_EQ(box->text(), QStringLiteral("ผู้เล่น:1"));
    // The page put the focus in its name box, which selected its whole text.
    QApplication::processEvents();
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(box->selectedText(), QStringLiteral("ผู้เล่น:1"));
    QTest::keyClicks(box, QStringLiteral("Somsak Jaidee Long"));
    EXPECT_EQ(f.wizard->window.TxtName[0].Box.Text, QStringLiteral("Somsak Jaide"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(f.state.Players(1).Name.trimmed(), QStringLiteral("Somsak Jaide"));
    EXPECT_EQ(f.state.WizardStep, 5);
    f.click(f.wizard->window.Opt3[1].Geometry);
    f.clickButton(NextButton);
    EXPECT_TRUE(f.window->nameBox(1)->isVisible());
    f.clickButton(BackButton);
    f.clickButton(BackButton);
    EXPECT_EQ(f.state.WizardStep, 4);
    EXPECT_EQ(box->text(), QStringLiteral("Somsak Jaide"));
    QTest::keyClick(f.window.get(), Qt::Key_Escape);
    EXPECT_EQ(f.outcomes, std::vector<WizardOutcome>{WizardOutcome::Closed});
    EXPECT_EQ(f.state.WizardStep, BoardPage);
}

// The about window's button closes it after the click; its text label is no target of its own
// and sinks with the button.
TEST(FrontWindows, AboutCloses) {
    GameState state;
    SourceWindow source;
    PictureCache pictures;
    TitleScreen title(state, source, kGame);
    title.Form_Load({1024, 768}, 65536);
    About about(state.CommonFolder, kGame, 1024, 768);
    HeldClick click;
    about.playClick = click.player();
    int closes = 0;
    about.closed = [&] { ++closes; };
    FrmAbout window(about, pictures, source, 1);
    window.show();
    const QPoint label = toQRect(about.window.ImgButtonA[1].Text.Geometry).center();
    QTest::mousePress(&window, Qt::LeftButton, {}, label);
    EXPECT_EQ(about.window.ImgButtonA[1].Button.Cell, PressedCell);
    EXPECT_EQ(about.window.ImgButtonA[1].Text.Geometry.Top, 322);
    EXPECT_EQ(closes, 0);
    click.finish();
    EXPECT_EQ(closes, 1);
    QTest::mouseRelease(&window, Qt::LeftButton, {}, label);
    EXPECT_EQ(about.window.ImgButtonA[1].Text.Geometry.Top, 320);
}

}  // namespace
}  // namespace kroda::widgets
