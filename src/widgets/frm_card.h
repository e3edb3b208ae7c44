#pragma once
// The card window FrmCard: the drawn card's text on its deck's colour, modal to the game
// window. Any key or mouse press closes it, through the game.

#include "widgets/input_sink.h"

#include <QDialog>

namespace kroda {
class Game;
}

namespace kroda::widgets {

class FrmCard : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 160;

    FrmCard(const Game& game, InputSink input, int scale, QWidget* gameWindow);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // Closing from the window frame or Escape closes the card as a key would.
    void reject() override;
    bool focusNextPrevChild(bool) override { return false; }

  private:
    const Game& game_;
    InputSink input_;
    int scale_;
};

}  // namespace kroda::widgets
