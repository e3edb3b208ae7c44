// The dice strip: six ivory die faces (the one and the four in red, as on Thai dice) and the
// two blinking frames of the yes and the no answer buttons.

#include "art/canvas.h"
#include "art/pictures.h"
#include "art/style.h"

namespace kroda::art {

namespace {

void drawDie(QPainter& p, int face) {
    const QRectF body(1, 1, 38, 38);
    // A soft shadow under the right and lower edge makes the die stand on the pad.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 30, 10));
    p.drawRoundedRect(body.translated(0.8, 1.0), 8, 8);
    QLinearGradient g(body.topLeft(), body.bottomRight());
    g.setColorAt(0, QColor(255, 253, 244));
    g.setColorAt(0.6, QColor(246, 236, 212));
    g.setColorAt(1, QColor(222, 206, 172));
    p.setBrush(g);
    p.setPen(QPen(QColor(120, 92, 60), 1));
    p.drawRoundedRect(body.adjusted(0, 0, -0.5, -0.5), 7.5, 7.5);

    const bool red = face == 1 || face == 4;
    const QColor pip = red ? QColor(206, 24, 30) : QColor(30, 30, 52);
    const qreal c = 20, d = 9.5;
    std::vector<QPointF> pips;
    auto at = [&](qreal dx, qreal dy) { pips.push_back({c + dx * d, c + dy * d}); };
    switch (face) {
        case 1:
            at(0, 0);
            break;
        case 2:
            at(-1, -1);
            at(1, 1);
            break;
        case 3:
            at(-1, -1);
            at(0, 0);
            at(1, 1);
            break;
        case 4:
            at(-1, -1);
            at(1, -1);
            at(-1, 1);
            at(1, 1);
            break;
        case 5:
            at(-1, -1);
            at(1, -1);
            at(0, 0);
            at(-1, 1);
            at(1, 1);
            break;
        default:
            at(-1, -1);
            at(1, -1);
            at(-1, 0);
            at(1, 0);
            at(-1, 1);
            at(1, 1);
            break;
    }
    const qreal radius = face == 1 ? 6.5 : 3.9;
    for (const QPointF& centre : pips) {
        QRadialGradient shine(centre + QPointF(-radius * 0.35, -radius * 0.35), radius * 1.3);
        shine.setColorAt(0, shade(pip, 1.45));
        shine.setColorAt(1, pip);
        p.setBrush(shine);
        p.setPen(QPen(shade(pip, 0.6), 0.8));
        p.drawEllipse(centre, radius, radius);
    }
}

void drawAnswer(QPainter& p, bool yes, bool lit) {
    const QColor base = yes ? QColor(38, 160, 64) : QColor(210, 40, 40);
    const QColor top = lit ? shade(base, 1.45) : shade(base, 1.15);
    const QColor bottom = lit ? base : shade(base, 0.72);
    const QRectF body(1, 1, 38, 38);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 30, 10));
    p.drawRoundedRect(body.translated(0.8, 1.0), 8, 8);
    gradientRoundRect(p, body.adjusted(0, 0, -0.5, -0.5), 7.5, top, bottom,
                      lit ? QColor(255, 250, 200) : shade(base, 0.5), lit ? 2 : 1);

    // The sign: a tick or a cross, white with a dark edge, in the upper part.
    // The sign, a tick or a cross, white with a dark edge, above the word.
    QPainterPath sign;
    if (yes) {
        sign.moveTo(14, 7.5);
        sign.lineTo(18.5, 12);
        sign.lineTo(26.5, 3.5);
    } else {
        sign.moveTo(16, 3.5);
        sign.lineTo(24, 11.5);
        sign.moveTo(24, 3.5);
        sign.lineTo(16, 11.5);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(shade(base, 0.45), 5.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(sign);
    p.setPen(QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(sign);

    const QString word = yes ? QStringLiteral("ซื้อ") : QStringLiteral("ไม่ซื้อ");
    const QRectF textBox(2, 16.5, 36, 21);
    const QFont font = fittedFont("Loma", true, word, textBox.size(), 18);
    drawCentredText(p, textBox, word, font, Qt::white, shade(base, 0.35), 1.0);
}

}  // namespace

QImage diceStrip() {
    QImage image = blankImage(400, 40, colours::darkTeak);
    drawCells(image, 1, 10, [](QPainter& p, int cell, QSizeF) {
        if (cell < 6) {
            drawDie(p, cell + 1);
        } else {
            drawAnswer(p, cell < 8, cell % 2 == 1);
        }
    });
    return image;
}

}  // namespace kroda::art
