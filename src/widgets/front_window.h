#pragma once
// What the title screen, the wizard and the about window share as widgets: a fixed window of
// the designed size (times the scale), painted through the control painter from its
// controls data, placed centred on its screen, with mouse positions taken back to design
// pixels.

#include "screen/controls.h"
#include "widgets/control_painter.h"
#include "widgets/picture_cache.h"

#include <QPoint>
#include <QWidget>

class QMouseEvent;

namespace kroda::widgets {

class FrontWindow : public QWidget {
    Q_OBJECT
  public:
    FrontWindow(PictureCache& pictures, const SourceWindow& source, int scale, QSize design,
                QWidget* parent = nullptr);

    int scale() const { return scale_; }
    // The screen's size in its own logical units, for the place-window operation.
    static QSize screenSize();
    // Moves the window to the designed place; with a scale the centre is kept.
    void place(const Rect& designed);

  protected:
    void paintEvent(QPaintEvent* event) override;
    virtual void paintControls(ControlPainter& painter) = 0;
    QPoint designPoint(const QMouseEvent& event) const;
    QRect scaled(const Rect& r) const;
    // Called after each paint.
    virtual void painted() {}

    PictureCache& pictures_;
    const SourceWindow& source_;

  private:
    int scale_;
    QSize design_;
};

}  // namespace kroda::widgets
