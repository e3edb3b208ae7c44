// The toolbar: background music, saving the game, the speed, the manual and quitting. A
// button sinks one pixel while it is pressed.
#include "game/game.h"
#include "game/save_game.h"
#include "model/game_files.h"

namespace kroda {

namespace {
constexpr int kRestTop = 312;
constexpr int kPressedTop = 313;

bool isToolbarButton(int index) {
    return index == MusicButton || index == SaveButton || index == SpeedButton ||
           index == ManualButton || index == QuitButton;
}

void press(Image& button) {
    ++button.Geometry.Left;
    ++button.Geometry.Top;
}

void release(Image& button) {
    --button.Geometry.Left;
    --button.Geometry.Top;
}

void musicChosen(Game& g, const QString& file) {
    Image& button = g.window.ImgIconT[MusicButton];
    if (button.Geometry.Top == kPressedTop)
        release(button);
    if (file.isEmpty())
        return;
    g.window.MM.FileName = file;
    if (!g.port.musicOpen(file)) {
        g.musicRefused();
        return;
    }
    g.port.musicPlay();
    g.timers.TimerMM.setEnabled(true);
}

void toolbarCommand(Game& g, int index) {
    switch (index) {
        case MusicButton:
            g.port.musicClose();
            // The dialog answers later; the game goes on behind it.
            g.port.askOpenFile(QStringLiteral("เปิดไฟล์เพลง"),
                               QStringLiteral("MidiFile(*.mid, *.rmi)|*.mid;*.rmi"), g.appFolder(),
                               [&g](const QString& file) { musicChosen(g, file); });
            break;
        case SaveButton: {
            // The button is up again before the port takes the moment, so that a resumed
            // game does not start with it sunk.
            Image& button = g.window.ImgIconT[SaveButton];
            if (button.Geometry.Top == kPressedTop)
                release(button);
            g.port.askSaveFile(QStringLiteral("บันทึกเกม"), QStringLiteral("บันทึกเกม|*.Sav"),
                               saveFolder());
            break;
        }
        case SpeedButton:
            g.port.changeSpeed();
            break;
        case ManualButton:
            g.port.openDocument(manualFile(g.appFolder()));
            break;
        case QuitButton:
            g.port.quit();
            break;
        default:
            break;
    }
}

}  // namespace

void Game::ImgIconT_MouseDown(int index, int, int, int, int) {
    if (cardOpen() || !isToolbarButton(index))
        return;
    Image& button = window.ImgIconT[index];
    if (button.Geometry.Top == kPressedTop)
        return;
    press(button);
    // The click sound plays to its end before the command runs; the port calls back then.
    playSound(clickSound(appFolder()), SoundMode::Sync,
              [this, index] { toolbarCommand(*this, index); });
}

void Game::musicRefused() {
    timers.TimerMM.setEnabled(false);
    window.LblBDescript.Caption = QStringLiteral("เล่นไฟล์เพลงนี้ไม่ได้");
}

void Game::ImgIconT_MouseMove(int index, int button, int, int, int) {
    if (cardOpen() || !isToolbarButton(index))
        return;
    Image& icon = window.ImgIconT[index];
    if (button != 0) {
        if (icon.Geometry.Top == kPressedTop)
            return;
        press(icon);
    }
    switch (index) {
        case MusicButton:
            window.LblBDescript.Caption = QStringLiteral("ดนตรีประกอบ");
            break;
        case SaveButton:
            window.LblBDescript.Caption = QStringLiteral("บันทึกเกม");
            break;
        case SpeedButton:
            window.LblBDescript.Caption = QStringLiteral("ความเร็ว");
            break;
        case ManualButton:
            window.LblBDescript.Caption = QStringLiteral("คู่มือ");
            break;
        case QuitButton:
            window.LblBDescript.Caption = QStringLiteral("ปิดเกมKroda");
            break;
        default:
            break;
    }
}

void Game::ImgIconT_MouseUp(int index, int, int, int, int) {
    if (!isToolbarButton(index))
        return;
    Image& icon = window.ImgIconT[index];
    if (icon.Geometry.Top != kRestTop)
        release(icon);
}

}  // namespace kroda
