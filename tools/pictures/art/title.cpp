// The title screen: an evening sky over temple roofs and palms, the game's name with two dice,
// a plate for the four buttons and a quiet strip for the description text below them. The
// top right is left open for the version text the window draws.

#include "art/canvas.h"
#include "art/motifs.h"
#include "art/pictures.h"
#include "art/style.h"

#include <cmath>

namespace kroda::art {

namespace {

void skyline(QPainter& p) {
    const QColor silhouette(60, 26, 50);
    QPainterPath land;
    land.moveTo(0, 300);
    land.lineTo(640, 300);
    land.lineTo(640, 480);
    land.lineTo(0, 480);
    // Chedis, temple roofs and palms along the horizon.
    auto chedi = [&](qreal x, qreal w, qreal h) {
        QPainterPath c;
        c.moveTo(x - w / 2, 300);
        c.quadTo(x - w / 2, 300 - h * 0.45, x - w * 0.18, 300 - h * 0.55);
        c.lineTo(x, 300 - h);
        c.lineTo(x + w * 0.18, 300 - h * 0.55);
        c.quadTo(x + w / 2, 300 - h * 0.45, x + w / 2, 300);
        land.addPath(c);
    };
    auto roof = [&](qreal x, qreal w, qreal h) {
        QPainterPath r;
        r.moveTo(x - w / 2, 300);
        r.lineTo(x - w / 2, 300 - h * 0.4);
        r.lineTo(x - w * 0.6, 300 - h * 0.4);
        r.lineTo(x, 300 - h);
        r.lineTo(x + w * 0.6, 300 - h * 0.4);
        r.lineTo(x + w / 2, 300 - h * 0.4);
        r.lineTo(x + w / 2, 300);
        land.addPath(r);
        QPainterPath finial;
        finial.moveTo(x - 2, 300 - h);
        finial.lineTo(x, 300 - h - 10);
        finial.lineTo(x + 2, 300 - h);
        land.addPath(finial);
    };
    chedi(70, 40, 110);
    roof(150, 90, 60);
    chedi(300, 70, 150);
    chedi(250, 34, 90);
    chedi(350, 34, 90);
    roof(470, 110, 70);
    chedi(570, 36, 100);
    p.setPen(Qt::NoPen);
    p.setBrush(silhouette);
    p.drawPath(land.simplified());
    // Palms.
    for (const auto& [x, h] : {std::pair<qreal, qreal>{20, 70}, {200, 60}, {410, 64}, {620, 80}}) {
        p.setPen(QPen(silhouette, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, 300), QPointF(x + 6, 300 - h));
        for (int i = 0; i < 6; ++i) {
            const qreal a = (-170 + i * 32) * 3.14159265 / 180;
            QPainterPath frond;
            const QPointF top(x + 6, 300 - h);
            frond.moveTo(top);
            frond.quadTo(top + QPointF(std::cos(a) * 16, std::sin(a) * 12 - 8),
                         top + QPointF(std::cos(a) * 30, std::sin(a) * 18 + 10));
            p.setPen(QPen(silhouette, 3, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawPath(frond);
        }
    }
}

void titleDie(QPainter& p, QPointF c, qreal size, qreal angle, int face) {
    p.save();
    p.translate(c);
    p.rotate(angle);
    const QRectF body(-size / 2, -size / 2, size, size);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawRoundedRect(body.translated(4, 5), size * 0.18, size * 0.18);
    QLinearGradient g(body.topLeft(), body.bottomRight());
    g.setColorAt(0, QColor(255, 253, 244));
    g.setColorAt(1, QColor(226, 210, 176));
    p.setBrush(g);
    p.setPen(QPen(QColor(110, 80, 50), 2));
    p.drawRoundedRect(body, size * 0.18, size * 0.18);
    const qreal d = size * 0.25, r = size * 0.09;
    std::vector<QPointF> pips;
    if (face == 5) {
        pips = {{-d, -d}, {d, -d}, {0, 0}, {-d, d}, {d, d}};
    } else {
        pips = {{-d, -d}, {d, -d}, {-d, d}, {d, d}};
    }
    p.setPen(Qt::NoPen);
    p.setBrush(face == 4 ? QColor(206, 24, 30) : QColor(30, 30, 52));
    for (const QPointF& pip : pips) {
        p.drawEllipse(pip, r, r);
    }
    p.restore();
}

}  // namespace

QImage titleScreen() {
    QImage image = blankImage(640, 480, Qt::black);
    QPainter p(&image);
    smooth(p);
    QLinearGradient sky(0, 0, 0, 300);
    sky.setColorAt(0, QColor(40, 24, 80));
    sky.setColorAt(0.45, QColor(170, 60, 90));
    sky.setColorAt(0.8, QColor(246, 140, 60));
    sky.setColorAt(1, QColor(255, 206, 110));
    p.fillRect(QRectF(0, 0, 640, 300), sky);
    // The setting sun behind the big chedi, and a few early stars.
    QRadialGradient sun(QPointF(300, 290), 120);
    sun.setColorAt(0, QColor(255, 240, 170, 255));
    sun.setColorAt(0.3, QColor(255, 200, 100, 160));
    sun.setColorAt(1, QColor(255, 160, 80, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(300, 290), 120, 120);
    p.setBrush(QColor(255, 250, 230, 200));
    for (int i = 0; i < 24; ++i) {
        p.drawEllipse(QPointF((i * 173) % 640, 6 + (i * 71) % 90), 1.1, 1.1);
    }
    skyline(p);
    // Ground below the skyline.
    QLinearGradient ground(0, 300, 0, 480);
    ground.setColorAt(0, QColor(60, 26, 50));
    ground.setColorAt(1, QColor(36, 14, 24));
    p.fillRect(QRectF(0, 300, 640, 180), ground);

    // The name: "เกม" above a golden "Kroda", two dice beside it; the name stands above the
    // continue button's place (200/176).
    drawCentredText(p, QRectF(60, 14, 140, 46), QStringLiteral("เกม"),
                    thaiFont("Kinnari", 40, true), QColor(255, 236, 170), QColor(90, 20, 30), 2.5);
    const QPainterPath kroda =
        textPath("Kroda", thaiFont("Kinnari", 104, true), QRectF(40, 52, 380, 104));
    p.setPen(QPen(QColor(70, 14, 20), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(kroda);
    QLinearGradient gold(0, 60, 0, 150);
    gold.setColorAt(0, QColor(255, 248, 190));
    gold.setColorAt(0.45, QColor(250, 200, 60));
    gold.setColorAt(1, QColor(200, 110, 20));
    p.setPen(QPen(QColor(255, 250, 220), 1.5));
    p.setBrush(gold);
    p.drawPath(kroda);
    // The continue button's own plate, in the style of the four below.
    p.setPen(QPen(colours::gold, 2));
    p.setBrush(colours::buttonGround);
    p.drawRoundedRect(QRectF(190, 166, 68, 68), 12, 12);
    p.setPen(QPen(shade(colours::gold, 0.6), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(194, 170, 60, 60), 9, 9);
    titleDie(p, QPointF(480, 196), 62, -14, 5);
    titleDie(p, QPointF(556, 214), 54, 18, 4);

    // The plate of the four buttons (each 48 x 48 at y 320) and the description strip.
    p.setPen(QPen(colours::gold, 2));
    p.setBrush(colours::buttonGround);
    p.drawRoundedRect(QRectF(72, 310, 496, 68), 12, 12);
    p.setPen(QPen(shade(colours::gold, 0.6), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(76, 314, 488, 60), 9, 9);
    plate(p, QRectF(48, 388, 544, 32), colours::paper, 8);
    flameBand(p, QRectF(0, 448, 640, 20), colours::gold, QColor(36, 14, 24), true);
    p.fillRect(QRectF(0, 468, 640, 12), colours::gold);
    petalFlower(p, QPointF(320, 474), 5, colours::temple, colours::lightGold);
    return image;
}

}  // namespace kroda::art
