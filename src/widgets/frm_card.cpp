#include "widgets/frm_card.h"

#include "game/game.h"
#include "widgets/control_painter.h"
#include "widgets/fonts.h"
#include "widgets/key_codes.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace kroda::widgets {

FrmCard::FrmCard(const Game& game, InputSink input, int scale, QWidget* gameWindow)
    : QDialog(gameWindow), game_(game), input_(std::move(input)), scale_(std::clamp(scale, 1, 4)) {
    setWindowModality(Qt::WindowModal);
    setWindowTitle(QString());
    setFixedSize(kWidth * scale_, kHeight * scale_);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FrmCard::paintEvent(QPaintEvent*) {
    ControlPainter::render(*this, {kWidth, kHeight}, scale_, [this](QPainter& qp) {
        const TextBox& text = game_.window.FrmCard.TxtCrd;
        qp.fillRect(QRect(0, 0, kWidth, kHeight), ControlPainter::color(text.BackColor));
        TextBox box = text;
        box.Geometry = {8, 8, kWidth - 16, kHeight - 16};
        PictureCache none;
        ControlPainter p(qp, none, game_.FrmSource);
        p.paint(box, cardFont(), false);
    });
}

void FrmCard::keyPressEvent(QKeyEvent* event) {
    const int code = virtualKeyCode(*event);
    const int shift = shiftState(event->modifiers());
    input_(KeyPress{code, shift, event->isAutoRepeat()});
}

void FrmCard::mousePressEvent(QMouseEvent* event) {
    const int button = mouseButtons(event->button());
    const int shift = shiftState(event->modifiers());
    const QPoint p = event->position().toPoint() / scale_;
    input_(ControlClick{ClickableControl::TxtCrd, 0, button, shift, p.x(), p.y()});
}

void FrmCard::reject() {
    input_(KeyPress{VkEscape, 0});
}

}  // namespace kroda::widgets
