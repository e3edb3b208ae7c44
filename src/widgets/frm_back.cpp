#include "widgets/frm_back.h"

#include <QPainter>

namespace kroda::widgets {

FrmBack::FrmBack(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral(":::"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(640, 480);
}

void FrmBack::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), Qt::black);
}

}  // namespace kroda::widgets
