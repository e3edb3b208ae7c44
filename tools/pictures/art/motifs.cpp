#include "art/motifs.h"

#include "art/canvas.h"
#include "art/style.h"

#include <QPainterPath>

namespace kroda::art {

void petalFlower(QPainter& p, QPointF c, qreal r, QColor petals, QColor heart) {
    QPainterPath flower;
    for (int i = 0; i < 4; ++i) {
        QPainterPath petal;
        petal.moveTo(0, 0);
        petal.cubicTo(r * 0.55, -r * 0.25, r * 0.75, -r * 0.6, 0, -r);
        petal.cubicTo(-r * 0.75, -r * 0.6, -r * 0.55, -r * 0.25, 0, 0);
        QTransform t;
        t.translate(c.x(), c.y());
        t.rotate(45 + i * 90);
        flower.addPath(t.map(petal));
    }
    p.setPen(QPen(shade(petals, 0.55), qMax<qreal>(0.8, r * 0.08)));
    p.setBrush(petals);
    p.drawPath(flower);
    p.setPen(Qt::NoPen);
    p.setBrush(heart);
    p.drawEllipse(c, r * 0.22, r * 0.22);
}

void flameBand(QPainter& p, const QRectF& strip, QColor fill, QColor ground, bool up) {
    p.fillRect(strip, ground);
    const qreal h = strip.height();
    const qreal w = h * 0.9;
    QPainterPath flames;
    for (qreal x = strip.left(); x < strip.right(); x += w) {
        const qreal base = up ? strip.bottom() : strip.top();
        const qreal tip = up ? strip.top() + h * 0.1 : strip.bottom() - h * 0.1;
        flames.moveTo(x, base);
        flames.cubicTo(x + w * 0.1, (base + tip) / 2, x + w * 0.55, (base + tip) / 2, x + w * 0.6,
                       tip);
        flames.cubicTo(x + w * 0.75, (base * 0.4 + tip * 0.6), x + w * 0.9, (base + tip) / 2, x + w,
                       base);
        flames.closeSubpath();
    }
    p.save();
    p.setClipRect(strip);
    p.setPen(QPen(shade(fill, 0.6), 0.8));
    p.setBrush(fill);
    p.drawPath(flames);
    p.restore();
}

void flowerFrame(QPainter& p, const QRectF& r, qreal width, QColor ground, QColor petals,
                 QColor heart) {
    QPainterPath band;
    band.addRect(r);
    band.addRect(r.adjusted(width, width, -width, -width));
    p.setPen(Qt::NoPen);
    p.setBrush(ground);
    p.drawPath(band);
    const qreal step = width * 1.6;
    const qreal radius = width * 0.42;
    for (qreal x = r.left() + width / 2; x <= r.right() - width / 2 + 0.1; x += step) {
        petalFlower(p, QPointF(x, r.top() + width / 2), radius, petals, heart);
        petalFlower(p, QPointF(x, r.bottom() - width / 2), radius, petals, heart);
    }
    for (qreal y = r.top() + width / 2 + step; y <= r.bottom() - width / 2 - step + 0.1;
         y += step) {
        petalFlower(p, QPointF(r.left() + width / 2, y), radius, petals, heart);
        petalFlower(p, QPointF(r.right() - width / 2, y), radius, petals, heart);
    }
    p.setPen(QPen(shade(ground, 0.6), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    p.drawRect(r.adjusted(width - 0.5, width - 0.5, -width + 0.5, -width + 0.5));
}

void plate(QPainter& p, const QRectF& r, QColor fill, qreal radius) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(r.translated(2, 2), radius, radius);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, shade(fill, 1.06));
    g.setColorAt(1, shade(fill, 0.94));
    p.setBrush(g);
    p.setPen(QPen(colours::gold, 2));
    p.drawRoundedRect(r.adjusted(-1, -1, 1, 1), radius, radius);
    p.setPen(QPen(shade(colours::gold, 0.55), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(-2.5, -2.5, 2.5, 2.5), radius + 1, radius + 1);
    p.restore();
}

void patternedGround(QPainter& p, const QRectF& r, QColor top, QColor bottom, QColor pattern) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(r, g);
    const qreal step = 24;
    int row = 0;
    for (qreal y = r.top() + step / 2; y < r.bottom(); y += step / 2, ++row) {
        for (qreal x = r.left() + (row % 2 ? step / 2 : 0); x < r.right() + step; x += step) {
            petalFlower(p, QPointF(x, y), 4.5, pattern, pattern);
        }
    }
}

}  // namespace kroda::art
