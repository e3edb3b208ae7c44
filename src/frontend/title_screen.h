#pragma once
// The title screen FrmTitle: the first window. It picks the picture folders, names the title
// picture and the three button strips every front-end window uses, and offers new game,
// continuing a saved game, about, manual, exit and joining a game over the network.

#include "frontend/click_sound.h"
#include "frontend/image_button.h"
#include "model/game_state.h"
#include "screen/controls.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

namespace kroda {

enum class TitleAction { NewGame = 0, Continue = 1, About = 2, Manual = 3, Exit = 4, Join = 5 };

// The file-open dialog of the continue button.
struct FileDialog {
    QString DialogTitle;
    QString Filter;
    QString InitDir;
};

struct TitleWindow {
    QString Caption;
    Rect Geometry;
    bool Maximized = false;
    QString Picture;
    std::array<ImageButton, 6> ImgButton;  // the icons are ImgIcon(0..5)
    Label LblDescript;
    std::array<Label, 2> lblVers;  // 0 the white text, 1 its black shadow
    FileDialog CmnDlg;
};

// The screen the window appears on, in pixels and in logical units.
struct ScreenSize {
    int Width = 640;
    int Height = 480;
};

class TitleScreen {
  public:
    TitleScreen(GameState& state, SourceWindow& source, const QString& appFolder);

    TitleWindow window;
    // Plays the click before an action; silent until the window sets its own.
    ClickPlayer playClick = silentClick;
    // What the window carries out: open the wizard, the save dialog or the about window, the
    // manual, exit.
    std::function<void(TitleAction)> act;

    // Loading, steps 2 to 10: place the window on the screen, choose the folders by the
    // display's colour count (nothing when it could not be had), name the pictures.
    void Form_Load(ScreenSize screen, std::optional<Long> colours);
    // Steps 7 to 10 alone: what a failed picture load repeats once.
    void loadPictures();
    // The files steps 8 to 10 load, in order: the background, then the three strips.
    QStringList pictureFiles() const;
    // At start and whenever the wizard or the about window closes.
    void Form_Activate();

    void ImgButton_MouseDown(int index);
    void ImgButton_MouseMove(int index, bool held);
    void ImgButton_MouseUp(int index);

    QString manualPath() const;
    static QString restingDescription();

  private:
    void runAction(int index);

    GameState& state_;
    SourceWindow& source_;
    QString appFolder_;
    ImageButtonRow buttons_;
    ClickGate click_;
};

// The place-window operation with anchor mode 5 and the maximise-on-640 x 480 operation.
void centreWindow(Rect& window, ScreenSize screen);
void maximiseOn640x480(bool& maximized, ScreenSize screen);

}  // namespace kroda
