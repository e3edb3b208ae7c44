#include "widgets/title_window.h"

#include "widgets/fonts.h"
#include "widgets/window_pictures.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QMouseEvent>

namespace kroda::widgets {

namespace {
const char* const kIcons[6] = {windowpictures::kTitleNewGame, windowpictures::kTitleContinue,
                               windowpictures::kTitleAbout,   windowpictures::kTitleManual,
                               windowpictures::kTitleExit,    windowpictures::kTitleJoin};
}  // namespace

FrmTitle::FrmTitle(TitleScreen& title, PictureCache& pictures, const SourceWindow& source,
                   int scale)
    : FrontWindow(pictures, source, scale, {640, 480}), title_(title) {
    setWindowTitle(title_.window.Caption);
    setAttribute(Qt::WA_DeleteOnClose);
}

QFont FrmTitle::versionFont() {
    // A heavy free face in place of the designed one.
    QFont font(thaiFamily({QStringLiteral("DejaVu Sans"), QStringLiteral("Umpush")}));
    font.setPixelSize(64);
    font.setWeight(QFont::Black);
    return font;
}

void FrmTitle::paintControls(ControlPainter& painter) {
    const TitleWindow& w = title_.window;
    painter.background(w.Picture, {640, 480});
    for (std::size_t i = 0; i < w.ImgButton.size(); ++i) {
        painter.paint(w.ImgButton[i].Button);
        painter.paint(w.ImgButton[i].Icon, QString::fromLatin1(kIcons[i]));
    }
    painter.paint(w.LblDescript, labelFont(), false, Qt::AlignCenter);
    const QFont version = versionFont();
    painter.paint(w.lblVers[1], version, false, Qt::AlignLeft | Qt::AlignTop);
    painter.paint(w.lblVers[0], version, false, Qt::AlignLeft | Qt::AlignTop);
}

void FrmTitle::painted() {
    if (painted_)
        return;
    painted_ = true;
    if (firstFrame)
        firstFrame();
}

ImageButtonMouse::Handlers FrmTitle::handlers() {
    return {[this](int i) { title_.ImgButton_MouseDown(i); },
            [this](int i, bool held) { title_.ImgButton_MouseMove(i, held); },
            [this](int i) { title_.ImgButton_MouseUp(i); }};
}

void FrmTitle::mousePressEvent(QMouseEvent* event) {
    mouse_.press(title_.window.ImgButton, designPoint(*event), handlers());
    update();
}

void FrmTitle::mouseMoveEvent(QMouseEvent* event) {
    mouse_.move(title_.window.ImgButton, designPoint(*event), event->buttons() != Qt::NoButton,
                handlers());
    update();
}

void FrmTitle::mouseReleaseEvent(QMouseEvent* event) {
    mouse_.release(title_.window.ImgButton, designPoint(*event), handlers());
    update();
}

void FrmTitle::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        title_.Form_Activate();
        update();
    }
    FrontWindow::changeEvent(event);
}

void FrmTitle::closeEvent(QCloseEvent* event) {
    if (closedByUser)
        closedByUser();
    FrontWindow::closeEvent(event);
}

}  // namespace kroda::widgets
