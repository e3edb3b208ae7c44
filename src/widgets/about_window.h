#pragma once
// The about window FrmAbout as a window: the heading, the credits (painted, so they cannot be
// edited) and the close button. Escape closes it as the button does.

#include "frontend/about_window.h"
#include "widgets/front_window.h"
#include "widgets/image_button.h"

namespace kroda::widgets {

class FrmAbout : public FrontWindow {
    Q_OBJECT
  public:
    FrmAbout(About& about, PictureCache& pictures, const SourceWindow& source, int scale,
             QWidget* parent = nullptr);

  protected:
    void paintControls(ControlPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    ImageButtonMouse::Handlers handlers();

    About& about_;
    ImageButtonMouse mouse_;
};

}  // namespace kroda::widgets
