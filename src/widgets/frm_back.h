#pragma once
// The backdrop FrmBack: a black window with the caption ":::" and no controls, shown by the
// hand-over and closed when the game window becomes active.

#include <QWidget>

namespace kroda::widgets {

class FrmBack : public QWidget {
    Q_OBJECT
  public:
    explicit FrmBack(QWidget* parent = nullptr);

    // Its load: maximised on a 640 x 480 screen, then centred on the screen.
    void load(QSize screen);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace kroda::widgets
