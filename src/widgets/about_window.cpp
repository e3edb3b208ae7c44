#include "widgets/about_window.h"

#include "model/codes.h"
#include "widgets/fonts.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace kroda::widgets {

FrmAbout::FrmAbout(About& about, PictureCache& pictures, const SourceWindow& source, int scale,
                   QWidget* parent)
    : FrontWindow(pictures, source, scale, {400, 400}, parent), about_(about) {
    setWindowTitle(about_.window.Caption);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
}

void FrmAbout::paintControls(ControlPainter& painter) {
    const AboutWindow& w = about_.window;
    painter.background(w.Picture, {400, 400});
    QFont heading = labelFont();
    heading.setPixelSize(18);
    heading.setBold(true);
    painter.paint(w.LblATitle, heading, false, Qt::AlignCenter);
    QFont credits = labelFont();
    credits.setPixelSize(14);
    painter.paint(w.TxtAbout, credits);
    QFont button = labelFont();
    button.setBold(true);
    for (const ImageButton& b : w.ImgButtonA) {
        painter.paint(b.Button);
        painter.paint(b.Text, button, false, Qt::AlignCenter);
    }
}

ImageButtonMouse::Handlers FrmAbout::handlers() {
    return {[this](int i) { about_.ImgButtonA_MouseDown(i); },
            [this](int i, bool held) { about_.ImgButtonA_MouseMove(i, held); },
            [this](int i) { about_.ImgButtonA_MouseUp(i); }};
}

void FrmAbout::mousePressEvent(QMouseEvent* event) {
    mouse_.press(about_.window.ImgButtonA, designPoint(*event), handlers());
    update();
}

void FrmAbout::mouseMoveEvent(QMouseEvent* event) {
    mouse_.move(about_.window.ImgButtonA, designPoint(*event), event->buttons() != Qt::NoButton,
                handlers());
    update();
}

void FrmAbout::mouseReleaseEvent(QMouseEvent* event) {
    mouse_.release(about_.window.ImgButtonA, designPoint(*event), handlers());
    update();
}

void FrmAbout::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        about_.keyPressed(EscapeKey);
        update();
        return;
    }
    FrontWindow::keyPressEvent(event);
}

}  // namespace kroda::widgets
