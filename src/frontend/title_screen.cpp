#include "frontend/title_screen.h"

#include "frontend/colour_count.h"
#include "game/save_game.h"
#include "model/game_files.h"
#include "screen/window_placement.h"

#include <cstddef>

namespace kroda {

namespace {

// The continue and join buttons stand above the row of four; every icon rests 8 pixels into
// its own button.
const ImageButtonStyle kTitleStyle{SquareButtons, 328, 8};

struct TitleButton {
    int left, top;
    const char16_t* hover;
    bool visible;
};

const std::array<TitleButton, 6> kTitleButtons = {{
    {88, 320, u"เริ่มเล่นเกมKroda", true},
    {200, 176, u"เล่นต่อจากที่บันทึกไว้", true},
    {224, 320, u"เกี่ยวกับซอฟต์แวร์เกมKroda", true},
    {368, 320, u"คู่มือเกมKroda", true},
    {504, 320, u"ออกจากเกมKroda", true},
    {392, 176, u"เข้าร่วมเกมทางเครือข่าย", true},
}};

}  // namespace

void centreWindow(Rect& window, ScreenSize screen) {
    const auto at =
        placeWindow(kCentreAnchor, screen.Width, screen.Height, window.Width, window.Height);
    window.Left = at->Left;
    window.Top = at->Top;
}

void maximiseOn640x480(bool& maximized, ScreenSize screen) {
    if (const auto state = kroda::maximiseOn640x480(screen.Width, screen.Height))
        maximized = *state == WindowState::Maximized;
}

QString TitleScreen::restingDescription() {
    return QStringLiteral("กรุณาชี้ที่ปุ่มข้างบนนี้และคลิ้ก");
}

TitleScreen::TitleScreen(GameState& state, SourceWindow& source, const QString& appFolder)
    : state_(state),
      source_(source),
      appFolder_(appFolder),
      buttons_(window.ImgButton, kTitleStyle, &window.LblDescript) {
    TitleWindow& w = window;
    w.Caption = QStringLiteral("เกมKroda 2.0 Final");
    w.Geometry = {0, 0, 640, 480};
    for (std::size_t i = 0; i < kTitleButtons.size(); ++i) {
        const TitleButton& t = kTitleButtons[i];
        ImageButton& b = w.ImgButton[i];
        b.Button.Geometry = {t.left, t.top, 48, 48};
        b.Button.Strip = SquareButtons;
        b.Button.Visible = t.visible;
        b.Icon.Geometry = {t.left + 8, t.top + 8, 32, 32};
        b.Icon.Visible = t.visible;
        b.Text.Visible = false;
        b.HoverText = QString::fromUtf16(t.hover);
    }
    w.LblDescript.Geometry = {48, 392, 545, 25};
    w.LblDescript.Caption = restingDescription();
    w.lblVers[0] = {{424, 24, 177, 81}, QStringLiteral("2.0"), 0xFFFFFF, 0, true};
    w.lblVers[1] = {{434, 28, 177, 81}, QStringLiteral("2.0"), 0x000000, 0, true};
    w.CmnDlg.DialogTitle = QStringLiteral("อ่านบันทึกจาก");
    w.CmnDlg.Filter = QStringLiteral("บันทึกเกม|*.Sav");
}

void TitleScreen::Form_Load(ScreenSize screen, std::optional<Long> colours) {
    maximiseOn640x480(window.Maximized, screen);
    centreWindow(window.Geometry, screen);
    state_.DepthFolder = appFolder_ + QStringLiteral("/Rs64K/");
    state_.CommonFolder = appFolder_ + QStringLiteral("/RsCommon/");
    // A count that could not be had keeps the 64K folder.
    if (colours.has_value())
        state_.DepthFolder = appFolder_ + (usesRs256(colours) ? QStringLiteral("/Rs256/")
                                                              : QStringLiteral("/Rs64K/"));
    loadPictures();
}

void TitleScreen::loadPictures() {
    state_.ImageFolder = appFolder_ + QStringLiteral("/Image/");
    window.Picture = state_.DepthFolder + QStringLiteral("Title.bmp");
    source_.PicCSource[SquareButtons] = {state_.DepthFolder + QStringLiteral("SQBtns.Bmp"), 1, 3};
    source_.PicCSource[LongButtons] = {state_.DepthFolder + QStringLiteral("LBtns.bmp"), 1, 3};
    source_.PicCSource[MiniButtons] = {state_.DepthFolder + QStringLiteral("MiniBtns.bmp"), 1, 3};
    for (ImageButton& b : window.ImgButton) b.Button.Cell = NormalCell;
    // Saves live with the player's data, never in the game folder.
    window.CmnDlg.InitDir = saveFolder();
    window.LblDescript.Caption = restingDescription();
}

QStringList TitleScreen::pictureFiles() const {
    return {window.Picture, source_.PicCSource[SquareButtons].File,
            source_.PicCSource[LongButtons].File, source_.PicCSource[MiniButtons].File};
}

void TitleScreen::Form_Activate() {
    // The button that opened a modal window never saw its release, which went to that window.
    buttons_.reset();
    window.LblDescript.Caption = restingDescription();
}

void TitleScreen::ImgButton_MouseDown(int index) {
    if (index < 0 || index >= static_cast<int>(window.ImgButton.size()) ||
        !window.ImgButton[static_cast<std::size_t>(index)].Button.Visible)
        return;
    if (click_.busy() || !buttons_.mouseDown(index))
        return;
    click_.run(playClick, clickSound(appFolder_), [this, index] { runAction(index); });
}

void TitleScreen::ImgButton_MouseMove(int index, bool held) {
    if (index < 0 || index >= static_cast<int>(window.ImgButton.size()) ||
        !window.ImgButton[static_cast<std::size_t>(index)].Button.Visible)
        return;
    buttons_.mouseMove(index, held);
}

void TitleScreen::ImgButton_MouseUp(int index) {
    if (index < 0 || index >= static_cast<int>(window.ImgButton.size()))
        return;
    buttons_.mouseUp(index);
}

QString TitleScreen::manualPath() const {
    return manualFile(appFolder_);
}

void TitleScreen::runAction(int index) {
    if (act)
        act(static_cast<TitleAction>(index));
}

}  // namespace kroda
