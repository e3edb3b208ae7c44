#include "widgets/frm_back.h"

#include "screen/window_placement.h"

#include <QPainter>

namespace kroda::widgets {

FrmBack::FrmBack(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral(":::"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(640, 480);
}

void FrmBack::load(QSize screen) {
    // Centred before the state is set: Qt takes a move as the end of a maximised state. On a
    // 640 x 480 screen the centre is the corner a maximised window has anyway.
    if (const auto at =
            placeWindow(kCentreAnchor, screen.width(), screen.height(), width(), height()))
        move(at->Left, at->Top);
    if (maximiseOn640x480(screen.width(), screen.height()) == WindowState::Maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void FrmBack::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), Qt::black);
}

}  // namespace kroda::widgets
