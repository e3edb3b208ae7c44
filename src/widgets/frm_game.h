#pragma once
// The game window FrmGame: paints the game window's controls and turns keys and the mouse
// into the game's handlers. It decides nothing and keeps no copy of the game.

#include "screen/controls.h"
#include "widgets/input_sink.h"
#include "widgets/picture_cache.h"

#include <QWidget>

namespace kroda {
class Game;
}  // namespace kroda

namespace kroda::widgets {

class FrmGame : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kWidth = kGameWindowWidth;
    static constexpr int kHeight = kGameWindowHeight;

    FrmGame(const Game& game, InputSink input, PictureCache& pictures, int scale = 1,
            QWidget* parent = nullptr);

    int scale() const { return scale_; }
    // Runs when the window becomes active (Form_Activate).
    std::function<void()> activated;
    // The speed the speed button shows. A window without it (a network client's) shows no
    // speed button: the speed is its own program's.
    std::function<double()> shownSpeed;
    // Runs after F11 has switched full screen on or off.
    std::function<void(bool)> fullScreenChanged;

    // Full screen (a window manager's state) or the window of its designed size; F11 switches.
    void setFullScreen(bool on);
    // Where the game is drawn inside the window: at the window's scale, or in full screen at
    // the largest whole scale that fits, centred on black.
    QRect gameArea() const;

    // Which control is under a point of the designed 640 x 480 area.
    struct Hit {
        enum Kind { None, Die, Narrator, Square, Toolbar } kind = None;
        int index = 0;
        int x = 0, y = 0;  // inside the control
    };
    Hit hitAt(QPoint logical) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool focusNextPrevChild(bool) override { return false; }

  private:
    QPoint logical(QPoint widgetPoint) const;
    bool showsButton(int toolbarIndex) const;
    void updatePointer(const Hit& hit);

    const Game& game_;
    InputSink input_;
    PictureCache& pictures_;
    int scale_;
    Hit pressed_;      // the control the held button went down on
    QPoint normalAt_;  // where the window stood before full screen
};

}  // namespace kroda::widgets
