// The toolbar: background music, saving the game, the manual and quitting. A button sinks
// one pixel while it is pressed.
#include "game/game.h"
#include "game/save_game.h"

namespace kroda {

namespace {
constexpr int kRestTop = 312;
constexpr int kPressedTop = 313;
// The save button takes one of the toolbar's unused places.
constexpr int kSaveButton = 2;

bool isToolbarButton(int index) {
    return index == 1 || index == kSaveButton || index == 4 || index == 5;
}

void press(Image& button) {
    ++button.Geometry.Left;
    ++button.Geometry.Top;
}

void release(Image& button) {
    --button.Geometry.Left;
    --button.Geometry.Top;
}
}  // namespace

void Game::ImgIconT_MouseDown(int index, int, int, int, int) {
    const EventScope event{*this};
    if (modalCardOpen() || !isToolbarButton(index))
        return;
    Image& button = window.ImgIconT[index];
    if (button.Geometry.Top == kPressedTop)
        return;
    press(button);
    // The click sound plays to its end before the command runs; the port calls back then.
    port.playSound(soundFile(QStringLiteral("505.wav")), SoundMode::Sync,
                   [this, index] { toolbarCommand(index); });
}

void Game::toolbarCommand(int index) {
    switch (index) {
        case 1:
            port.musicClose();
            // The dialog answers later; the game goes on behind it.
            port.askOpenFile(QStringLiteral("เปิดไฟล์เพลง"),
                             QStringLiteral("MidiFile(*.mid, *.rmi)|*.mid;*.rmi"), appFolder_,
                             [this](const QString& file) { musicChosen(file); });
            break;
        case kSaveButton: {
            // The button is up again before the port takes the moment, so that a resumed
            // game does not start with it sunk.
            Image& button = window.ImgIconT[kSaveButton];
            if (button.Geometry.Top == kPressedTop)
                release(button);
            port.askSaveFile(QStringLiteral("บันทึกเกม"), QStringLiteral("บันทึกเกม|*.Sav"),
                             saveFolder());
            break;
        }
        case 4:
            port.openDocument(appFolder_ + QStringLiteral("/help/help.htm"));
            break;
        case 5:
            port.quit();
            break;
        default:
            break;
    }
}

void Game::musicChosen(const QString& file) {
    Image& button = window.ImgIconT[1];
    if (button.Geometry.Top == kPressedTop)
        release(button);
    if (file.isEmpty())
        return;
    window.MM.FileName = file;
    if (!port.musicOpen(file)) {
        musicRefused();
        return;
    }
    port.musicPlay();
    timers.TimerMM.setEnabled(true);
}

void Game::musicRefused() {
    timers.TimerMM.setEnabled(false);
    window.LblBDescript.Caption = QStringLiteral("เล่นไฟล์เพลงนี้ไม่ได้");
}

void Game::ImgIconT_MouseMove(int index, int button, int, int, int) {
    if (modalCardOpen() || !isToolbarButton(index))
        return;
    Image& icon = window.ImgIconT[index];
    if (button != 0) {
        if (icon.Geometry.Top == kPressedTop)
            return;
        press(icon);
    }
    switch (index) {
        case 1:
            window.LblBDescript.Caption = QStringLiteral("ดนตรีประกอบ");
            break;
        case kSaveButton:
            window.LblBDescript.Caption = QStringLiteral("บันทึกเกม");
            break;
        case 4:
            window.LblBDescript.Caption = QStringLiteral("คู่มือ");
            break;
        case 5:
            window.LblBDescript.Caption = QStringLiteral("ปิดเกมKroda");
            break;
        default:
            break;
    }
}

void Game::ImgIconT_MouseUp(int index, int, int, int, int) {
    const EventScope event{*this};
    if (!isToolbarButton(index))
        return;
    Image& icon = window.ImgIconT[index];
    if (icon.Geometry.Top != kRestTop)
        release(icon);
}

}  // namespace kroda
