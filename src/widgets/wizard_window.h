#pragma once
// The new-game wizard FrmWizard as a window: it paints the page on top and the band, passes
// the mouse to the buttons and the choices, and keeps two line edits for the name boxes in
// step with the wizard's text boxes. Enter presses Next, Escape presses Close.

#include "frontend/wizard.h"
#include "widgets/front_window.h"
#include "widgets/image_button.h"

#include <array>
#include <functional>

class QLineEdit;

namespace kroda::widgets {

class FrmWizard : public FrontWindow {
    Q_OBJECT
  public:
    FrmWizard(Wizard& wizard, PictureCache& pictures, const SourceWindow& source, int scale,
              QWidget* parent = nullptr);

    // Brings the window up to the wizard's controls after the wizard changed them.
    void refresh();
    QLineEdit* nameBox(int box) { return names_[static_cast<std::size_t>(box)]; }

  protected:
    void paintControls(ControlPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    ImageButtonMouse::Handlers handlers();
    void paintPage(ControlPainter& painter, int page);
    bool clickChoice(QPoint at);

    Wizard& wizard_;
    ImageButtonMouse mouse_;
    std::array<QLineEdit*, 2> names_{};
    int shownPage_ = -1;
};

}  // namespace kroda::widgets
