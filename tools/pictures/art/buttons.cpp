// The three button strips of the front-end windows: normal, highlighted (the pointer is over
// it) and pressed. The face is light so that the icons and labels laid on it read well; the
// corners take the colour of the plates the windows' backgrounds put under the buttons.

#include "art/canvas.h"
#include "art/pictures.h"
#include "art/style.h"

namespace kroda::art {

namespace {

void drawButton(QPainter& p, QSizeF size, int state, qreal radius) {
    p.fillRect(QRectF(QPointF(0, 0), size), colours::buttonGround);
    const QRectF body = QRectF(QPointF(0, 0), size).adjusted(1, 1, -1, -1);
    const bool pressed = state == 2;
    const bool lit = state == 1;
    // Outer rim in dark teak with a faint golden edge.
    gradientRoundRect(p, body, radius, lit ? QColor(255, 236, 150) : colours::gold,
                      shade(colours::teak, 0.8), colours::ink, 1);
    const QRectF face = body.adjusted(2.5, 2.5, -2.5, -2.5);
    QColor top = lit ? QColor(255, 250, 222) : QColor(252, 238, 196);
    QColor bottom = lit ? QColor(250, 210, 120) : QColor(232, 190, 108);
    if (pressed) {
        std::swap(top, bottom);
        top = shade(top, 0.92);
    }
    gradientRoundRect(p, face, radius - 2, top, bottom, shade(colours::teak, 0.9), 1);
    if (pressed) {
        // An inner shadow along the top and left: the face sits lower.
        p.save();
        QPainterPath clip;
        clip.addRoundedRect(face, radius - 2, radius - 2);
        p.setClipPath(clip);
        p.setPen(QPen(QColor(90, 50, 10, 110), 3));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(face.translated(1.5, 1.5).adjusted(-1, -1, 0, 0), radius - 2, radius - 2);
        p.restore();
    } else {
        // A highlight along the top edge.
        p.setPen(QPen(QColor(255, 255, 255, lit ? 220 : 150), 1.2));
        p.drawLine(face.topLeft() + QPointF(radius - 1, 1.3),
                   face.topRight() + QPointF(-radius + 1, 1.3));
    }
    if (lit) {
        p.setPen(QPen(QColor(255, 214, 90, 220), 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(body.adjusted(-0.5, -0.5, 0.5, 0.5), radius, radius);
    }
}

QImage strip(int cellWidth, int cellHeight, qreal radius) {
    QImage image = blankImage(cellWidth * 3, cellHeight, colours::buttonGround);
    drawCells(image, 1, 3,
              [radius](QPainter& p, int cell, QSizeF size) { drawButton(p, size, cell, radius); });
    return image;
}

}  // namespace

QImage squareButtons() {
    return strip(48, 48, 10);
}

QImage longButtons() {
    return strip(100, 35, 9);
}

QImage miniButtons() {
    return strip(32, 32, 7);
}

}  // namespace kroda::art
