#include "widgets/front_window.h"

#include "frontend/title_screen.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

namespace kroda::widgets {

FrontWindow::FrontWindow(PictureCache& pictures, const SourceWindow& source, int scale,
                         QSize design, QWidget* parent)
    : QWidget(parent), pictures_(pictures), source_(source), scale_(scale), design_(design) {
    setFixedSize(design * scale);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

QSize FrontWindow::screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry().size() : QSize(640, 480);
}

void FrontWindow::place(const Rect& designed) {
    if (scale_ == 1) {
        move(designed.Left, designed.Top);
        return;
    }
    Rect r{0, 0, width(), height()};
    const QSize screen = screenSize();
    centreWindow(r, {screen.width(), screen.height()});
    move(r.Left, r.Top);
}

void FrontWindow::paintEvent(QPaintEvent*) {
    ControlPainter::render(*this, design_, scale_, [this](QPainter& p) {
        ControlPainter painter(p, pictures_, source_);
        paintControls(painter);
    });
    painted();
}

QPoint FrontWindow::designPoint(const QMouseEvent& event) const {
    const QPoint at = event.position().toPoint();
    return {at.x() / scale_, at.y() / scale_};
}

QRect FrontWindow::scaled(const Rect& r) const {
    return {r.Left * scale_, r.Top * scale_, r.Width * scale_, r.Height * scale_};
}

}  // namespace kroda::widgets
