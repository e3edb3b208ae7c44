// The backgrounds of the game window, the new-game wizard and the about window. Plates sit
// under the places where the windows draw their own controls, in the same positions.

#include "art/canvas.h"
#include "art/motifs.h"
#include "art/pictures.h"
#include "art/style.h"

namespace kroda::art {

namespace {

const QColor kWindowTop(150, 40, 30);
const QColor kWindowBottom(84, 26, 16);
const QColor kPattern(170, 60, 40);

void framedWell(QPainter& p, const QRectF& r, QColor fill) {
    p.setPen(QPen(colours::gold, 2));
    p.setBrush(fill);
    p.drawRect(r.adjusted(-2, -2, 2, 2));
    p.setPen(QPen(colours::darkTeak, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(-0.5, -0.5, 0.5, 0.5));
}

}  // namespace

QImage gameBackground() {
    QImage image = blankImage(640, 480, kWindowBottom);
    QPainter p(&image);
    smooth(p);
    patternedGround(p, QRectF(0, 0, 640, 480), kWindowTop, kWindowBottom, kPattern);

    // The board: a teak frame around paper ground (the squares cover most of it).
    p.setPen(QPen(colours::gold, 2));
    p.setBrush(colours::darkTeak);
    p.drawRect(QRectF(4, 4, 393, 393));
    p.fillRect(QRectF(8, 8, 385, 385), colours::paper);

    // The narrator and his text box.
    framedWell(p, QRectF(8, 400, 72, 72), QColor(60, 140, 170));
    framedWell(p, QRectF(80, 400, 313, 72), QColor(255, 255, 0));

    // The information panel: the square's picture, its building level and the texts.
    plate(p, QRectF(400, 8, 233, 169), colours::paper);
    framedWell(p, QRectF(408, 24, 96, 96), Qt::white);
    framedWell(p, QRectF(408, 136, 96, 25), Qt::white);
    p.setPen(QPen(colours::edge, 1));
    p.drawLine(QPointF(512, 70), QPointF(625, 70));
    p.drawLine(QPointF(512, 116), QPointF(625, 116));

    // The four player panels, each marked on its left edge in the player's colour.
    for (int seat = 0; seat < 4; ++seat) {
        const qreal top = 184 + 72 * seat;
        plate(p, QRectF(400, top, 233, 73 - 4), colours::paper);
        const QColor c = playerColours[size_t(seat)];
        p.setPen(QPen(seat == 2 ? QColor(120, 120, 130) : shade(c, 0.55), 1));
        p.setBrush(c);
        p.drawRoundedRect(QRectF(401, top + 4, 5, 61), 2, 2);
        framedWell(p, QRectF(408, top + 8, 56, 56), Qt::white);
        p.setPen(QPen(colours::edge, 1));
        p.drawLine(QPointF(472, top + 36), QPointF(625, top + 36));
    }
    return image;
}

QImage wizardBackground() {
    QImage image = blankImage(480, 400, kWindowBottom);
    QPainter p(&image);
    smooth(p);
    patternedGround(p, QRectF(0, 0, 480, 400), kWindowTop, kWindowBottom, kPattern);
    flowerFrame(p, QRectF(0, 0, 480, 400), 10, colours::darkTeak, colours::gold, colours::temple);
    // The page well, a little larger than the pages themselves.
    framedWell(p, QRectF(96, 88, 361, 257), colours::paper);
    // The description text beside the buttons, and the buttons' own plate.
    plate(p, QRectF(96, 356, 236, 32), colours::paper, 5);
    p.setPen(QPen(colours::gold, 2));
    p.setBrush(colours::buttonGround);
    p.drawRoundedRect(QRectF(338, 354, 130, 44), 6, 6);
    return image;
}

QImage aboutBackground() {
    QImage image = blankImage(400, 400, kWindowBottom);
    QPainter p(&image);
    smooth(p);
    patternedGround(p, QRectF(0, 0, 400, 400), kWindowTop, kWindowBottom, kPattern);
    flowerFrame(p, QRectF(0, 0, 400, 400), 6, colours::darkTeak, colours::gold, colours::temple);
    // Heading band and credits box.
    p.setPen(QPen(colours::gold, 1.5));
    p.setBrush(QColor(120, 30, 20));
    p.drawRect(QRectF(8, 8, 385, 25));
    framedWell(p, QRectF(24, 40, 369, 217), Qt::white);
    // A row of flowers between the credits and the button, the name below it.
    for (int i = 0; i < 5; ++i) {
        petalFlower(p, QPointF(60 + i * 70, 284), 8, colours::gold, colours::temple);
    }
    p.setPen(QPen(colours::gold, 2));
    p.setBrush(colours::buttonGround);
    p.drawRoundedRect(QRectF(146, 306, 112, 47), 6, 6);
    const QPainterPath name =
        textPath("Kroda", thaiFont("Kinnari", 30, true), QRectF(100, 356, 200, 36));
    p.setPen(QPen(QColor(60, 14, 10), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(name);
    p.setPen(Qt::NoPen);
    p.setBrush(colours::lightGold);
    p.drawPath(name);
    return image;
}

}  // namespace kroda::art
