#pragma once
// The deed card window FrmOCard: paints the deed card data of the game and sends its mouse
// to the card's handlers. It moves to wherever the data places it.

#include "widgets/input_sink.h"
#include "widgets/picture_cache.h"

#include <QWidget>

namespace kroda {
class Game;
}

namespace kroda::widgets {

class FrmOCard : public QWidget {
    Q_OBJECT
  public:
    FrmOCard(const Game& game, InputSink input, PictureCache& pictures, int scale,
             QWidget* parent = nullptr);

    // Moves the window to the data's place and repaints it.
    void follow();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    enum class Part { None, Title, Close };
    Part partAt(QPoint widgetPoint) const;
    QPoint insideTitle(QPoint widgetPoint) const;

    const Game& game_;
    InputSink input_;
    PictureCache& pictures_;
    int scale_;
    Part held_ = Part::None;  // where the left button went down, while it is held
};

}  // namespace kroda::widgets
