#include "art/scenery.h"

#include "art/canvas.h"
#include "art/style.h"

#include <cmath>

namespace kroda::art {

QPen outline(qreal width) {
    return QPen(QColor(52, 32, 20), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void skyFill(QPainter& p, QColor top, QColor bottom, qreal height) {
    QLinearGradient g(0, 0, 0, height);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(QRectF(0, 0, kPlace, height), g);
}

void sun(QPainter& p, QPointF centre, qreal radius, QColor colour) {
    QRadialGradient g(centre, radius * 1.8);
    g.setColorAt(0, QColor(colour.red(), colour.green(), colour.blue(), 120));
    g.setColorAt(1, QColor(colour.red(), colour.green(), colour.blue(), 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius * 1.8, radius * 1.8);
    p.setBrush(colour);
    p.drawEllipse(centre, radius, radius);
}

void cloud(QPainter& p, QPointF c, qreal s) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(c + QPointF(-s * 0.9, s * 0.1), s * 0.7, s * 0.5);
    p.drawEllipse(c + QPointF(0, -s * 0.3), s * 0.85, s * 0.65);
    p.drawEllipse(c + QPointF(s * 0.9, s * 0.1), s * 0.7, s * 0.5);
    p.drawRoundedRect(QRectF(c.x() - s * 1.4, c.y(), s * 2.8, s * 0.6), s * 0.3, s * 0.3);
}

void seaFill(QPainter& p, qreal top, QColor colour, qreal bottom) {
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, shade(colour, 1.25));
    g.setColorAt(1, shade(colour, 0.8));
    p.fillRect(QRectF(0, top, kPlace, bottom - top), g);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.2, Qt::SolidLine, Qt::RoundCap));
    for (int row = 0; row < 3; ++row) {
        const qreal y = top + 5 + row * (bottom - top) / 3.5;
        for (int i = 0; i < 4; ++i) {
            const qreal x = 6 + i * 24 + (row % 2) * 12;
            p.drawLine(QPointF(x, y), QPointF(x + 8, y));
        }
    }
}

void ground(QPainter& p, qreal top, QColor colour) {
    QLinearGradient g(0, top, 0, kPlace);
    g.setColorAt(0, shade(colour, 1.15));
    g.setColorAt(1, shade(colour, 0.8));
    p.fillRect(QRectF(0, top, kPlace, kPlace - top), g);
}

void palm(QPainter& p, QPointF base, qreal height, qreal lean) {
    const QPointF top = base + QPointF(lean, -height);
    QPainterPath trunk;
    trunk.moveTo(base + QPointF(-2.5, 0));
    trunk.quadTo(base + QPointF(lean * 0.2 - 2, -height * 0.6), top + QPointF(-1, 0));
    trunk.lineTo(top + QPointF(1.5, 0));
    trunk.quadTo(base + QPointF(lean * 0.2 + 2.5, -height * 0.6), base + QPointF(2.5, 0));
    trunk.closeSubpath();
    shape(p, trunk, QColor(150, 100, 56), 1.2);
    const QColor leaf(46, 150, 60);
    for (int i = 0; i < 6; ++i) {
        const qreal angle = -160 + i * 28;
        const qreal rad = angle * 3.14159265 / 180;
        const QPointF tip = top + QPointF(std::cos(rad) * height * 0.45,
                                          std::sin(rad) * height * 0.3 + height * 0.12);
        const QPointF mid = top + (tip - top) * 0.5 + QPointF(0, -height * 0.12);
        QPainterPath frond;
        frond.moveTo(top);
        frond.quadTo(mid + QPointF(0, -3), tip);
        frond.quadTo(mid + QPointF(0, 3), top);
        shape(p, frond, i % 2 ? leaf : shade(leaf, 1.2), 1);
    }
    p.setPen(outline(1));
    p.setBrush(QColor(120, 80, 30));
    p.drawEllipse(top + QPointF(-2, 2), 2.2, 2.2);
    p.drawEllipse(top + QPointF(2.5, 2.5), 2.2, 2.2);
}

void hills(QPainter& p, qreal baseline, QColor colour, int count, qreal height) {
    QPainterPath path;
    path.moveTo(0, baseline);
    const qreal step = kPlace / count;
    for (int i = 0; i < count; ++i) {
        const qreal h = height * (0.75 + 0.25 * ((i * 7) % 3) / 2.0);
        path.quadTo(QPointF(i * step + step / 2, baseline - h * 2),
                    QPointF((i + 1) * step, baseline));
    }
    path.lineTo(kPlace, kPlace);
    path.lineTo(0, kPlace);
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path);
}

void shape(QPainter& p, const QPainterPath& path, QColor fill, qreal width) {
    p.setPen(outline(width));
    p.setBrush(fill);
    p.drawPath(path);
}

void box(QPainter& p, const QRectF& r, QColor fill, qreal width) {
    p.setPen(outline(width));
    p.setBrush(fill);
    p.drawRect(r);
}

void symbolBackdrop(QPainter& p, QColor inner, QColor outer) {
    QRadialGradient g(QPointF(48, 44), 70);
    g.setColorAt(0, inner);
    g.setColorAt(1, outer);
    p.fillRect(QRectF(0, 0, kPlace, kPlace), g);
}

void thaiRoof(QPainter& p, qreal left, qreal right, qreal eaves, qreal height, QColor roof,
              QColor trim) {
    const qreal mid = (left + right) / 2;
    // Two tiers: the lower one wider, the upper one steeper; gold finials curl up at the ends.
    for (int tier = 0; tier < 2; ++tier) {
        const qreal inset = tier * (right - left) * 0.16;
        const qreal base = eaves - tier * height * 0.42;
        const qreal peak = base - height * (tier ? 0.58 : 0.5);
        QPainterPath r;
        r.moveTo(left + inset - 3, base);
        r.quadTo(mid - (right - left) * 0.1, base - height * 0.1, mid, peak);
        r.quadTo(mid + (right - left) * 0.1, base - height * 0.1, right - inset + 3, base);
        r.closeSubpath();
        shape(p, r, tier ? shade(roof, 1.15) : roof, 1.2);
        p.setPen(QPen(trim, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(left + inset - 3, base), QPointF(mid, peak));
        p.drawLine(QPointF(right - inset + 3, base), QPointF(mid, peak));
        QPainterPath finial;
        finial.moveTo(mid, peak);
        finial.quadTo(mid + 1, peak - 4, mid + 3, peak - 6);
        p.drawPath(finial);
        p.drawLine(QPointF(left + inset - 3, base), QPointF(left + inset - 6, base - 3));
        p.drawLine(QPointF(right - inset + 3, base), QPointF(right - inset + 6, base - 3));
    }
}

void building(QPainter& p, const QRectF& r, QColor wall, QColor window, int rows, int columns) {
    box(p, r, wall, 1.2);
    const qreal cw = r.width() / columns, rh = r.height() / rows;
    p.setPen(Qt::NoPen);
    p.setBrush(window);
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < columns; ++col) {
            p.drawRect(QRectF(r.x() + col * cw + cw * 0.25, r.y() + row * rh + rh * 0.25, cw * 0.5,
                              rh * 0.45));
        }
    }
}

void longtailBoat(QPainter& p, QPointF at, qreal s, QColor hull) {
    QPainterPath boat;
    boat.moveTo(at + QPointF(-16 * s, -2 * s));
    boat.quadTo(at + QPointF(-4 * s, 5 * s), at + QPointF(14 * s, 2 * s));
    boat.quadTo(at + QPointF(19 * s, -4 * s), at + QPointF(21 * s, -10 * s));
    boat.quadTo(at + QPointF(12 * s, -2 * s), at + QPointF(-16 * s, -2 * s));
    shape(p, boat, hull, 1.2);
    // Garlands on the prow and the long-tail motor at the back.
    p.setPen(QPen(QColor(255, 80, 140), 1.6 * s));
    p.drawLine(at + QPointF(20 * s, -9 * s), at + QPointF(18 * s, -5 * s));
    p.setPen(outline(1.2));
    p.drawLine(at + QPointF(-15 * s, -3 * s), at + QPointF(-24 * s, 3 * s));
    p.setBrush(QColor(80, 80, 80));
    p.drawRect(QRectF(at.x() - 15 * s, at.y() - 6 * s, 4 * s, 3 * s));
}

}  // namespace kroda::art
