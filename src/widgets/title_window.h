#pragma once
// The title screen FrmTitle as a window: it paints the title screen's controls and passes the
// mouse to their buttons. What the buttons do is the front end's (widgets/front_end.h).

#include "frontend/title_screen.h"
#include "widgets/front_window.h"
#include "widgets/image_button.h"

#include <functional>

namespace kroda::widgets {

class FrmTitle : public FrontWindow {
    Q_OBJECT
  public:
    FrmTitle(TitleScreen& title, PictureCache& pictures, const SourceWindow& source, int scale);

    // The first frame has been painted.
    std::function<void()> firstFrame;
    // The window system closed the window.
    std::function<void()> closedByUser;
    // The heavy face of the version text.
    static QFont versionFont();

  protected:
    void paintControls(ControlPainter& painter) override;
    void painted() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    ImageButtonMouse::Handlers handlers();

    TitleScreen& title_;
    ImageButtonMouse mouse_;
    bool painted_ = false;
};

}  // namespace kroda::widgets
