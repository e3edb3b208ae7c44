// The board's own squares: four 48-pixel corners with their names, and 36 side squares with
// the colour band of their group (turned towards the board's centre) and a small picture.

#include "art/canvas.h"
#include "art/pictures.h"
#include "art/places.h"
#include "art/scenery.h"
#include "art/style.h"

namespace kroda::art {

namespace {

// The band colour of each side square, by square index.
QColor bandColour(int index) {
    switch (index) {
        case 1:
        case 3:
            return groups::brown;
        case 6:
        case 8:
        case 9:
            return groups::lightBlue;
        case 11:
        case 13:
        case 14:
            return groups::pink;
        case 16:
        case 18:
        case 19:
            return groups::orange;
        case 21:
        case 23:
            return groups::red;
        case 26:
        case 27:
        case 29:
            return groups::yellow;
        case 31:
        case 32:
        case 34:
            return groups::green;
        case 37:
        case 39:
            return groups::darkBlue;
        case 4:
        case 5:
        case 15:
        case 25:
        case 35:
            return groups::hotel;
        case 12:
        case 28:
            return groups::utility;
        case 2:
        case 17:
        case 33:
            return colours::treasure;
        case 7:
        case 22:
        case 36:
            return colours::fortune;
        default:
            return groups::tax;
    }
}

void drawPictureInto(QPainter& p, const QRectF& r, int index) {
    p.save();
    p.translate(r.topLeft());
    p.scale(r.width() / kPlace, r.height() / kPlace);
    drawPlace(p, index);
    p.restore();
    p.setPen(QPen(colours::line, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(-0.5, -0.5, 0.5, 0.5));
}

void sideTile(QPainter& p, int k) {
    const int index = k + 1 + k / 9;
    const int side = k / 9;  // 0 bottom row, 1 left column, 2 top row, 3 right column
    p.fillRect(QRectF(0, 0, 32, 32), colours::paper);
    constexpr qreal band = 7;
    QRectF bandRect, pictureArea;
    switch (side) {
        case 0:
            bandRect = QRectF(0, 0, 32, band);
            pictureArea = QRectF(0, band, 32, 32 - band);
            break;
        case 1:
            bandRect = QRectF(32 - band, 0, band, 32);
            pictureArea = QRectF(0, 0, 32 - band, 32);
            break;
        case 2:
            bandRect = QRectF(0, 32 - band, 32, band);
            pictureArea = QRectF(0, 0, 32, 32 - band);
            break;
        default:
            bandRect = QRectF(0, 0, band, 32);
            pictureArea = QRectF(band, 0, 32 - band, 32);
            break;
    }
    const QColor c = bandColour(index);
    QLinearGradient g(bandRect.topLeft(), bandRect.bottomRight());
    g.setColorAt(0, shade(c, 1.2));
    g.setColorAt(1, shade(c, 0.9));
    p.fillRect(bandRect, g);
    p.setPen(QPen(shade(c, 0.55), 1));
    switch (side) {
        case 0:
            p.drawLine(QPointF(0, band - 0.5), QPointF(32, band - 0.5));
            break;
        case 1:
            p.drawLine(QPointF(32 - band + 0.5, 0), QPointF(32 - band + 0.5, 32));
            break;
        case 2:
            p.drawLine(QPointF(0, 32 - band + 0.5), QPointF(32, 32 - band + 0.5));
            break;
        default:
            p.drawLine(QPointF(band - 0.5, 0), QPointF(band - 0.5, 32));
            break;
    }
    const qreal size = 21;
    const QRectF picture(pictureArea.center().x() - size / 2, pictureArea.center().y() - size / 2,
                         size, size);
    drawPictureInto(p, picture, index);
    p.setPen(QPen(colours::line, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 31, 31));
}

void cornerTile(QPainter& p, int cell) {
    static const int indexes[4] = {0, 10, 20, 30};
    static const char16_t* names[4] = {u"จุดเริ่มต้น", u"คุก", u"พักผ่อน", u"ไปเข้าคุก"};
    // Raised a little so the ribbon hides sky rather than the picture's subject.
    drawPictureInto(p, QRectF(0, -6, 48, 48), indexes[cell]);
    // The name on a ribbon along the bottom.
    const QRectF ribbon(1, 33, 46, 14);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 249, 232, 235));
    p.drawRect(ribbon);
    p.setPen(QPen(colours::line, 1));
    p.drawLine(QPointF(1, 32.5), QPointF(47, 32.5));
    const QString name = QString::fromUtf16(names[cell]);
    const QFont font = fittedFont("Loma", true, name, QSizeF(44, 13), 12);
    drawCentredText(p, ribbon, name, font, colours::ink);
    p.setPen(QPen(colours::line, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 47, 47));
}

}  // namespace

QImage cornerSquares() {
    QImage image = blankImage(96, 96, colours::paper);
    drawCells(image, 2, 2, [](QPainter& p, int cell, QSizeF) { cornerTile(p, cell); });
    return image;
}

QImage sideSquares() {
    QImage image = blankImage(192, 192, colours::paper);
    drawCells(image, 6, 6, [](QPainter& p, int cell, QSizeF) { sideTile(p, cell); });
    return image;
}

}  // namespace kroda::art
