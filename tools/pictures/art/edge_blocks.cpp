// The thin blocks on the board's edges (owner markers outside, buildings inside) and the
// building levels of the information panel. The small blocks are drawn pixel by pixel so that
// the houses stay sharp at nine pixels.

#include "art/canvas.h"
#include "art/pictures.h"
#include "art/style.h"

namespace kroda::art {

namespace {

const QColor kHouseWall(64, 170, 84);
const QColor kHouseRoof(206, 48, 40);
const QColor kHotelWall(200, 40, 44);
const QColor kDark(52, 30, 18);

void px(QPainter& p, int x, int y, QColor c, int w = 1, int h = 1) {
    p.fillRect(QRect(x, y, w, h), c);
}

// A 7 x 8 house: a red roof over a green wall with a door, its top left corner at x, y.
void house(QPainter& p, int x, int y, int height = 8) {
    px(p, x + 3, y, kDark);
    px(p, x + 2, y + 1, kDark);
    px(p, x + 3, y + 1, kHouseRoof);
    px(p, x + 4, y + 1, kDark);
    px(p, x + 1, y + 2, kDark);
    px(p, x + 2, y + 2, kHouseRoof, 3);
    px(p, x + 5, y + 2, kDark);
    px(p, x, y + 3, kDark, 7);
    const int wall = height - 4;
    px(p, x, y + 4, kDark, 1, wall);
    px(p, x + 6, y + 4, kDark, 1, wall);
    px(p, x + 1, y + 4, kHouseWall, 5, wall);
    px(p, x + 1, y + 4, shade(kHouseWall, 1.3), 5, 1);
    px(p, x + 3, y + height - 2, kDark, 1, 2);
}

// A hotel block w x h with rows of lit windows.
void hotel(QPainter& p, int x, int y, int w, int h) {
    px(p, x, y, kDark, w, h);
    px(p, x + 1, y + 1, kHotelWall, w - 2, h - 2);
    px(p, x + 1, y + 1, shade(kHotelWall, 1.3), w - 2, 1);
    for (int wy = y + 2; wy < y + h - 2; wy += 2) {
        for (int wx = x + 2; wx < x + w - 2; wx += 2) {
            px(p, wx, wy, QColor(255, 236, 140));
        }
    }
}

void edgeCell(QPainter& p, QSizeF size, bool horizontal) {
    const int w = int(size.width()), h = int(size.height());
    px(p, 0, 0, colours::edge, w, h);
    // The lines between squares continue through the blocks.
    if (horizontal) {
        px(p, 0, 0, colours::line, 1, h);
        px(p, w - 1, 0, colours::line, 1, h);
    } else {
        px(p, 0, 0, colours::line, w, 1);
        px(p, 0, h - 1, colours::line, w, 1);
    }
}

void ownerCell(QPainter& p, QSizeF size, int player, bool horizontal) {
    const int w = int(size.width()), h = int(size.height());
    edgeCell(p, size, horizontal);
    const QColor c = playerColours[size_t(player - 1)];
    const QColor border = player == 3 ? QColor(110, 110, 120) : shade(c, 0.5);
    const QRect inner = horizontal ? QRect(2, 1, w - 4, h - 2) : QRect(1, 2, w - 2, h - 4);
    px(p, inner.x(), inner.y(), border, inner.width(), inner.height());
    px(p, inner.x() + 1, inner.y() + 1, c, inner.width() - 2, inner.height() - 2);
    // A light streak along the top edge, a darker one along the bottom: a raised marker.
    if (horizontal) {
        px(p, inner.x() + 1, inner.y() + 1, shade(c, 1.5), inner.width() - 2, 1);
        px(p, inner.x() + 1, inner.bottom() - 1, shade(c, player == 3 ? 0.88 : 0.8),
           inner.width() - 2, 1);
    } else {
        px(p, inner.x() + 1, inner.y() + 1, shade(c, 1.5), 1, inner.height() - 2);
        px(p, inner.right() - 1, inner.y() + 1, shade(c, player == 3 ? 0.88 : 0.8), 1,
           inner.height() - 2);
    }
}

void buildingCell(QPainter& p, QSizeF size, int buildings, bool horizontal) {
    edgeCell(p, size, horizontal);
    if (buildings == 5) {
        if (horizontal) {
            hotel(p, 4, 1, 25, 8);
        } else {
            hotel(p, 1, 3, 7, 27);
        }
        return;
    }
    for (int i = 0; i < buildings; ++i) {
        if (horizontal) {
            house(p, 1 + 8 * i, 1);
        } else {
            house(p, 1, 1 + 8 * i, 7);
        }
    }
}

void edgeStrip(QImage& image, bool horizontal) {
    QPainter p(&image);
    const int count = 10;
    const QSize cell = horizontal ? QSize(image.width(), image.height() / count)
                                  : QSize(image.width() / count, image.height());
    for (int i = 0; i < count; ++i) {
        p.save();
        p.translate(horizontal ? QPoint(0, i * cell.height()) : QPoint(i * cell.width(), 0));
        if (i == 0) {
            edgeCell(p, cell, horizontal);
        } else if (i <= 4) {
            ownerCell(p, cell, i, horizontal);
        } else {
            buildingCell(p, cell, i - 4, horizontal);
        }
        p.restore();
    }
}

// A house of the information panel, 14 x 15.
void panelHouse(QPainter& p, qreal x, qreal y) {
    QPainterPath roof;
    roof.moveTo(x - 1, y + 7);
    roof.lineTo(x + 7, y);
    roof.lineTo(x + 15, y + 7);
    roof.closeSubpath();
    p.setPen(QPen(kDark, 1));
    p.setBrush(kHouseWall);
    p.drawRect(QRectF(x + 0.5, y + 6.5, 13, 8));
    p.setBrush(kHouseRoof);
    p.drawPath(roof);
    p.setBrush(QColor(120, 70, 30));
    p.drawRect(QRectF(x + 5.5, y + 9.5, 3, 5));
    p.setBrush(QColor(255, 236, 140));
    p.drawRect(QRectF(x + 10, y + 9, 2, 2));
}

void buildingLevel(QPainter& p, int level, QSizeF size) {
    const QRectF all(QPointF(0, 0), size);
    QLinearGradient skyGradient(0, 0, 0, size.height());
    skyGradient.setColorAt(0, QColor(170, 218, 246));
    skyGradient.setColorAt(1, QColor(232, 246, 252));
    p.fillRect(all, skyGradient);
    p.fillRect(QRectF(0, 19, size.width(), 6), colours::grass);
    p.fillRect(QRectF(0, 19, size.width(), 1), shade(colours::grass, 1.3));
    if (level == 0) {
        // Bare land: a plot marked with pegs and a little sign.
        p.setPen(QPen(QColor(150, 100, 50), 1, Qt::DashLine));
        p.drawLine(QPointF(12, 20.5), QPointF(84, 20.5));
        p.setPen(QPen(kDark, 1));
        p.setBrush(QColor(255, 248, 224));
        p.drawRect(QRectF(30.5, 3.5, 35, 12));
        p.drawLine(QPointF(48, 16), QPointF(48, 21));
        const QString text = QStringLiteral("ที่ว่าง");
        drawCentredText(p, QRectF(31, 4, 34, 11), text,
                        fittedFont("Loma", true, text, QSizeF(30, 10), 10), kDark);
        return;
    }
    if (level == 5) {
        // The hotel: a tall red building with a flag and a golden sign.
        p.setPen(QPen(kDark, 1));
        p.setBrush(kHotelWall);
        p.drawRect(QRectF(28.5, 4.5, 39, 17));
        p.setBrush(QColor(160, 28, 32));
        p.drawRect(QRectF(24.5, 18.5, 47, 4));
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 7; ++col) {
                p.fillRect(QRectF(31 + col * 5, 7 + row * 4, 3, 2), QColor(255, 236, 140));
            }
        }
        p.drawLine(QPointF(48, 4), QPointF(48, 0.5));
        p.setBrush(colours::gold);
        p.drawPolygon(QPolygonF({QPointF(48, 0.5), QPointF(54, 1.5), QPointF(48, 3)}));
        return;
    }
    const qreal spacing = 18;
    const qreal start = size.width() / 2 - (level * spacing - 4) / 2;
    for (int i = 0; i < level; ++i) {
        panelHouse(p, start + i * spacing, 5);
    }
}

}  // namespace

QImage horizontalBlocks() {
    QImage image = blankImage(33, 90, colours::edge);
    edgeStrip(image, true);
    return image;
}

QImage verticalBlocks() {
    QImage image = blankImage(90, 33, colours::edge);
    edgeStrip(image, false);
    return image;
}

QImage buildingLevels() {
    QImage image = blankImage(96, 150, Qt::white);
    drawCells(image, 6, 1, buildingLevel);
    return image;
}

}  // namespace kroda::art
