// The squares that are rules rather than places: start, the two decks, the hotels, the
// utilities, jail, rest and the taxes; and the sheet of all forty illustrations.

#include "art/canvas.h"
#include "art/pictures.h"
#include "art/places.h"
#include "art/scenery.h"
#include "art/style.h"

#include <cmath>

namespace kroda::art {

namespace {

void coin(QPainter& p, QPointF c, qreal r) {
    p.setPen(outline(1.2));
    QRadialGradient g(c + QPointF(-r * 0.3, -r * 0.3), r * 1.3);
    g.setColorAt(0, QColor(255, 240, 150));
    g.setColorAt(1, QColor(214, 150, 20));
    p.setBrush(g);
    p.drawEllipse(c, r, r * 0.42);
}

void coinStack(QPainter& p, QPointF base, qreal r, int count) {
    for (int i = 0; i < count; ++i) {
        coin(p, base - QPointF(0, i * r * 0.32), r);
    }
}

void start(QPainter& p) {
    symbolBackdrop(p, QColor(255, 250, 210), QColor(120, 200, 110));
    // A big arrow leaving to the left, the way the tokens walk from here.
    QPainterPath arrow;
    arrow.moveTo(8, 40);
    arrow.lineTo(34, 16);
    arrow.lineTo(34, 30);
    arrow.lineTo(86, 30);
    arrow.lineTo(86, 50);
    arrow.lineTo(34, 50);
    arrow.lineTo(34, 64);
    arrow.closeSubpath();
    shape(p, arrow, QColor(220, 40, 40), 2);
    coinStack(p, QPointF(30, 84), 14, 4);
    coinStack(p, QPointF(62, 86), 14, 3);
    // The rule, not the amount: the amount belongs to the board and may be tuned.
    drawCentredText(p, QRectF(36, 28, 50, 24), QStringLiteral("฿"), thaiFont("Loma", 22, true),
                    Qt::white, QColor(120, 20, 20), 1.4);
}

void treasure(QPainter& p) {
    symbolBackdrop(p, QColor(220, 255, 255), QColor(40, 190, 200));
    const QColor wood(170, 100, 40), band(230, 180, 40);
    // Gold spilling out of the open lid.
    coinStack(p, QPointF(22, 86), 9, 2);
    box(p, QRectF(14, 48, 68, 36), wood, 1.8);
    QPainterPath lid;
    lid.moveTo(14, 48);
    lid.lineTo(20, 20);
    lid.quadTo(48, 10, 76, 20);
    lid.lineTo(82, 48);
    lid.closeSubpath();
    shape(p, lid, shade(wood, 1.1), 1.8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 80));
    p.drawEllipse(QRectF(18, 40, 60, 14));
    for (int i = 0; i < 6; ++i) {
        coin(p, QPointF(24 + i * 9.5, 44 + (i % 2) * 3), 6);
    }
    box(p, QRectF(14, 56, 68, 6), band, 1.2);
    box(p, QRectF(42, 54, 12, 14), band, 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 40, 20));
    p.drawEllipse(QPointF(48, 60), 2, 2.5);
    for (const QPointF& s : {QPointF(12, 16), QPointF(84, 12), QPointF(88, 40)}) {
        p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(s + QPointF(-4, 0), s + QPointF(4, 0));
        p.drawLine(s + QPointF(0, -4), s + QPointF(0, 4));
    }
}

void fortune(QPainter& p) {
    symbolBackdrop(p, QColor(255, 226, 255), QColor(200, 40, 200));
    for (int i = 0; i < 10; ++i) {
        const QPointF s(8 + (i * 37) % 80 + (i % 3) * 3, 8 + (i * 53) % 80);
        p.setPen(QPen(QColor(255, 255, 255, 200), 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(s + QPointF(-3, 0), s + QPointF(3, 0));
        p.drawLine(s + QPointF(0, -3), s + QPointF(0, 3));
    }
    const QFont font = thaiFont("Loma", 84, true);
    const QPainterPath mark = textPath("?", font, QRectF(8, 4, 80, 88));
    p.setPen(QPen(QColor(90, 10, 90), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mark);
    QLinearGradient g(0, 10, 0, 90);
    g.setColorAt(0, QColor(255, 244, 140));
    g.setColorAt(1, QColor(250, 180, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(mark);
}

// The five hotels: each a hotel in its own setting.
void hotelSign(QPainter& p, QRectF r, QColor colour) {
    box(p, r, colour, 1.2);
    drawCentredText(p, r.adjusted(1, 1, -1, -1), "HOTEL",
                    fittedFont("Loma", true, "HOTEL", r.adjusted(2, 2, -2, -2).size(), 12),
                    QColor(255, 244, 200));
}

void hotelChaoPhraya(QPainter& p) {
    skyFill(p, QColor(250, 170, 110), QColor(255, 226, 180), 66);
    // The temple spire across the river.
    QPainterPath prang;
    prang.moveTo(66, 66);
    prang.cubicTo(68, 40, 74, 30, 76, 14);
    prang.cubicTo(78, 30, 84, 40, 86, 66);
    prang.closeSubpath();
    shape(p, prang, QColor(230, 210, 180), 1.2);
    building(p, QRectF(12, 18, 38, 48), QColor(240, 236, 226), QColor(90, 140, 200), 7, 4);
    hotelSign(p, QRectF(16, 8, 30, 10), groups::hotel);
    seaFill(p, 66, QColor(150, 120, 80));
    longtailBoat(p, QPointF(54, 84), 1.0, QColor(200, 60, 40));
}

void hotelLanna(QPainter& p) {
    skyFill(p, QColor(120, 190, 236), QColor(220, 240, 250), 70);
    hills(p, 70, QColor(70, 140, 80), 3, 14);
    ground(p, 76, QColor(110, 160, 70));
    const QColor teak(150, 84, 40);
    box(p, QRectF(18, 50, 60, 28), teak, 1.4);
    // The steep northern roof with crossed kalae boards at the gables.
    QPainterPath roof;
    roof.moveTo(12, 52);
    roof.lineTo(48, 24);
    roof.lineTo(84, 52);
    roof.closeSubpath();
    shape(p, roof, QColor(120, 60, 30));
    p.setPen(QPen(colours::gold, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(48, 24), QPointF(40, 12));
    p.drawLine(QPointF(48, 24), QPointF(56, 12));
    for (int i = 0; i < 3; ++i) {
        box(p, QRectF(24 + i * 18, 58, 10, 10), QColor(255, 220, 140), 1);
    }
    hotelSign(p, QRectF(33, 36, 30, 10), groups::hotel);
}

void hotelAndaman(QPainter& p) {
    skyFill(p, QColor(70, 170, 236), QColor(200, 236, 250), 60);
    seaFill(p, 60, QColor(20, 180, 200), 74);
    ground(p, 74, QColor(246, 226, 170));
    building(p, QRectF(40, 26, 46, 48), QColor(250, 250, 244), QColor(60, 170, 200), 6, 5);
    hotelSign(p, QRectF(48, 16, 30, 10), groups::hotel);
    palm(p, QPointF(20, 88), 50, 8);
}

void hotelAoThai(QPainter& p) {
    skyFill(p, QColor(255, 190, 120), QColor(255, 236, 200), 62);
    sun(p, QPointF(24, 54), 10, QColor(255, 150, 60));
    seaFill(p, 62, QColor(60, 120, 190));
    building(p, QRectF(50, 12, 32, 60), QColor(236, 232, 246), QColor(90, 120, 200), 9, 3);
    hotelSign(p, QRectF(51, 2, 30, 10), groups::hotel);
    box(p, QRectF(44, 72, 44, 6), QColor(200, 190, 170), 1.2);
}

void hotelRatchaphruek(QPainter& p) {
    skyFill(p, QColor(110, 186, 236), QColor(220, 240, 250), 74);
    ground(p, 74, QColor(110, 170, 70));
    building(p, QRectF(30, 22, 42, 54), QColor(250, 244, 230), QColor(200, 150, 60), 6, 4);
    hotelSign(p, QRectF(36, 12, 30, 10), groups::hotel);
    // The golden shower tree in bloom: hanging yellow clusters.
    p.setPen(QPen(QColor(110, 70, 40), 3));
    p.drawLine(QPointF(14, 90), QPointF(16, 50));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 140, 60));
    p.drawEllipse(QPointF(16, 42), 16, 12);
    for (int i = 0; i < 5; ++i) {
        const qreal x = 4 + i * 6;
        QLinearGradient g(x, 44, x, 66);
        g.setColorAt(0, QColor(255, 230, 60));
        g.setColorAt(1, QColor(240, 180, 20));
        p.setBrush(g);
        p.setPen(QPen(QColor(160, 120, 20), 0.8));
        p.drawRoundedRect(QRectF(x, 44 + (i % 2) * 3, 5, 18 - (i % 3) * 3), 2.5, 2.5);
    }
}

void waterworks(QPainter& p) {
    symbolBackdrop(p, QColor(230, 246, 255), QColor(90, 170, 230));
    const QColor metal(190, 200, 210);
    // A tap on its pipe, a drop falling.
    box(p, QRectF(4, 24, 30, 14), metal, 1.6);
    QPainterPath spout;
    spout.moveTo(30, 24);
    spout.lineTo(62, 24);
    spout.quadTo(74, 24, 74, 38);
    spout.lineTo(74, 48);
    spout.lineTo(62, 48);
    spout.lineTo(62, 38);
    spout.lineTo(30, 38);
    spout.closeSubpath();
    shape(p, spout, metal, 1.6);
    box(p, QRectF(42, 12, 8, 12), shade(metal, 0.9), 1.4);
    QPainterPath handle;
    handle.addRoundedRect(QRectF(32, 6, 28, 7), 3, 3);
    shape(p, handle, QColor(220, 50, 50), 1.4);
    QPainterPath drop;
    drop.moveTo(68, 54);
    drop.cubicTo(78, 66, 80, 76, 68, 80);
    drop.cubicTo(56, 76, 58, 66, 68, 54);
    shape(p, drop, QColor(60, 150, 240), 1.6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(QPointF(64, 70), 2.5, 4);
    p.setPen(QPen(QColor(60, 150, 240), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(46, 88), QPointF(90, 88));
}

void electricity(QPainter& p) {
    symbolBackdrop(p, QColor(255, 252, 220), QColor(250, 170, 40));
    // A glowing bulb and a lightning bolt.
    QRadialGradient glow(QPointF(34, 38), 30);
    glow.setColorAt(0, QColor(255, 255, 200, 255));
    glow.setColorAt(1, QColor(255, 255, 200, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(34, 38), 30, 30);
    QPainterPath bulb;
    bulb.addEllipse(QPointF(34, 36), 18, 18);
    shape(p, bulb, QColor(255, 246, 160), 1.6);
    box(p, QRectF(26, 52, 16, 12), QColor(170, 170, 180), 1.4);
    p.setPen(QPen(QColor(120, 120, 130), 1.2));
    p.drawLine(QPointF(26, 56), QPointF(42, 56));
    p.drawLine(QPointF(26, 60), QPointF(42, 60));
    p.setPen(QPen(QColor(200, 140, 40), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(29, 52), QPointF(32, 38));
    p.drawLine(QPointF(39, 52), QPointF(36, 38));
    p.drawLine(QPointF(32, 38), QPointF(36, 38));
    QPainterPath bolt;
    bolt.moveTo(70, 8);
    bolt.lineTo(52, 50);
    bolt.lineTo(66, 50);
    bolt.lineTo(56, 90);
    bolt.lineTo(86, 40);
    bolt.lineTo(72, 40);
    bolt.lineTo(84, 8);
    bolt.closeSubpath();
    shape(p, bolt, QColor(255, 214, 20), 2);
}

void bars(QPainter& p, const QRectF& r, int count) {
    const QColor iron(70, 70, 80);
    box(p, QRectF(r.left(), r.top(), r.width(), 5), iron, 1.2);
    box(p, QRectF(r.left(), r.bottom() - 5, r.width(), 5), iron, 1.2);
    for (int i = 0; i < count; ++i) {
        const qreal x = r.left() + 4 + i * (r.width() - 8) / (count - 1);
        QLinearGradient g(x - 2, 0, x + 2, 0);
        g.setColorAt(0, QColor(160, 160, 170));
        g.setColorAt(1, QColor(60, 60, 70));
        p.setPen(outline(1));
        p.setBrush(g);
        p.drawRect(QRectF(x - 2.2, r.top() + 5, 4.4, r.height() - 10));
    }
}

void prisoner(QPainter& p, QPointF c) {
    // A sad figure in a striped shirt.
    QPainterPath body;
    body.addRoundedRect(QRectF(c.x() - 16, c.y(), 32, 30), 8, 8);
    p.save();
    shape(p, body, QColor(250, 250, 250));
    p.setClipPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 50));
    for (int i = 0; i < 5; ++i) {
        p.drawRect(QRectF(c.x() - 16, c.y() + 3 + i * 6, 32, 3));
    }
    p.restore();
    p.setPen(outline(1.4));
    p.setBrush(QColor(250, 210, 160));
    p.drawEllipse(c + QPointF(0, -10), 11, 11);
    p.setPen(outline(1.6));
    p.drawPoint(c + QPointF(-4, -12));
    p.drawPoint(c + QPointF(4, -12));
    p.setBrush(Qt::NoBrush);
    QPainterPath mouth;
    mouth.moveTo(c + QPointF(-4, -4));
    mouth.quadTo(c + QPointF(0, -8), c + QPointF(4, -4));
    p.drawPath(mouth);
}

void jail(QPainter& p) {
    p.fillRect(QRectF(0, 0, kPlace, kPlace), QColor(170, 160, 150));
    // Stone wall blocks.
    p.setPen(QPen(QColor(140, 130, 120), 1));
    for (int row = 0; row < 8; ++row) {
        const qreal y = row * 12;
        p.drawLine(QPointF(0, y), QPointF(96, y));
        for (int i = 0; i < 5; ++i) {
            const qreal x = i * 24 + (row % 2) * 12;
            p.drawLine(QPointF(x, y), QPointF(x, y + 12));
        }
    }
    box(p, QRectF(14, 12, 68, 74), QColor(60, 54, 50), 1.6);
    prisoner(p, QPointF(48, 54));
    bars(p, QRectF(14, 12, 68, 74), 6);
}

void rest(QPainter& p) {
    skyFill(p, QColor(90, 180, 236), QColor(210, 240, 250), 58);
    sun(p, QPointF(80, 16), 9);
    seaFill(p, 58, QColor(30, 160, 210), 70);
    ground(p, 70, QColor(246, 224, 166));
    // Beach umbrella.
    p.setPen(outline(1.6));
    p.drawLine(QPointF(30, 32), QPointF(34, 90));
    QPainterPath umbrella;
    umbrella.moveTo(6, 36);
    umbrella.quadTo(28, 6, 56, 30);
    umbrella.closeSubpath();
    shape(p, umbrella, QColor(240, 80, 60));
    p.setPen(QPen(Qt::white, 3));
    p.drawLine(QPointF(30, 18), QPointF(20, 34));
    p.drawLine(QPointF(30, 18), QPointF(42, 30));
    // The deck chair.
    const QColor frame(140, 90, 40);
    p.setPen(QPen(frame, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(44, 88), QPointF(60, 64));
    p.drawLine(QPointF(84, 88), QPointF(66, 72));
    p.drawLine(QPointF(60, 64), QPointF(88, 80));
    QPainterPath cloth;
    cloth.moveTo(58, 60);
    cloth.lineTo(70, 74);
    cloth.lineTo(90, 78);
    cloth.lineTo(88, 84);
    cloth.lineTo(66, 80);
    cloth.lineTo(52, 64);
    cloth.closeSubpath();
    shape(p, cloth, QColor(60, 120, 230), 1.2);
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(QPointF(56, 63), QPointF(67, 77));
}

void goToJail(QPainter& p) {
    symbolBackdrop(p, QColor(230, 236, 255), QColor(70, 90, 160));
    // Cap and arrow sit low enough that a corner's name ribbon and top edge leave them whole.
    p.save();
    p.translate(0, 8);
    // A police whistle's call: the arrow points to the cell.
    QPainterPath arrow;
    arrow.moveTo(6, 40);
    arrow.lineTo(40, 40);
    arrow.lineTo(40, 28);
    arrow.lineTo(60, 48);
    arrow.lineTo(40, 68);
    arrow.lineTo(40, 56);
    arrow.lineTo(6, 56);
    arrow.closeSubpath();
    shape(p, arrow, QColor(240, 60, 40), 1.8);
    p.restore();
    box(p, QRectF(60, 14, 32, 70), QColor(60, 54, 50), 1.6);
    bars(p, QRectF(60, 14, 32, 70), 4);
    p.save();
    p.translate(0, 8);
    // The police cap above the arrow.
    QPainterPath cap;
    cap.moveTo(8, 24);
    cap.quadTo(22, 4, 40, 20);
    cap.lineTo(40, 24);
    cap.closeSubpath();
    shape(p, cap, QColor(120, 80, 50), 1.4);
    box(p, QRectF(6, 24, 36, 4), QColor(40, 30, 20), 1);
    p.setPen(Qt::NoPen);
    p.setBrush(colours::gold);
    p.drawEllipse(QPointF(24, 17), 3, 3);
    p.restore();
}

void taxForm(QPainter& p, const QString& title, bool income) {
    symbolBackdrop(p, QColor(250, 250, 244), QColor(170, 170, 170));
    QPainterPath sheet;
    sheet.moveTo(14, 6);
    sheet.lineTo(62, 6);
    sheet.lineTo(74, 18);
    sheet.lineTo(74, 90);
    sheet.lineTo(14, 90);
    sheet.closeSubpath();
    shape(p, sheet, Qt::white, 1.6);
    QPainterPath fold;
    fold.moveTo(62, 6);
    fold.lineTo(62, 18);
    fold.lineTo(74, 18);
    shape(p, fold, QColor(230, 230, 230), 1.2);
    drawCentredText(p, QRectF(16, 10, 44, 22), title,
                    fittedFont("Loma", true, title, QSizeF(42, 20), 18), QColor(30, 60, 150));
    p.setPen(QPen(QColor(150, 150, 160), 1.6));
    for (int i = 0; i < 5; ++i) {
        p.drawLine(QPointF(20, 40 + i * 8), QPointF(i % 2 ? 56 : 66, 40 + i * 8));
    }
    if (income) {
        // Banknotes and a percent sign.
        p.save();
        p.translate(70, 70);
        p.rotate(-18);
        box(p, QRectF(-18, -10, 36, 20), QColor(130, 200, 130), 1.4);
        p.setPen(outline(1));
        p.setBrush(QColor(90, 170, 90));
        p.drawEllipse(QPointF(0, 0), 6, 6);
        p.restore();
        drawCentredText(p, QRectF(18, 70, 28, 20), "%", thaiFont("Loma", 20, true),
                        QColor(200, 40, 40));
    } else {
        // A land plot: a little field with a peg.
        box(p, QRectF(58, 64, 32, 24), colours::grass, 1.4);
        p.setPen(QPen(shade(colours::grass, 0.7), 1, Qt::DashLine));
        p.drawLine(QPointF(58, 76), QPointF(90, 76));
        p.drawLine(QPointF(74, 64), QPointF(74, 88));
        coinStack(p, QPointF(32, 84), 10, 3);
    }
    // The red stamp.
    p.setPen(QPen(QColor(210, 40, 40, 200), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(50, 78), 9, 9);
}

}  // namespace

bool drawRulePlace(QPainter& p, int index) {
    switch (index) {
        case 0:
            start(p);
            return true;
        case 2:
        case 17:
        case 33:
            treasure(p);
            return true;
        case 7:
        case 22:
        case 36:
            fortune(p);
            return true;
        case 4:
            hotelChaoPhraya(p);
            return true;
        case 5:
            hotelLanna(p);
            return true;
        case 15:
            hotelAndaman(p);
            return true;
        case 25:
            hotelAoThai(p);
            return true;
        case 35:
            hotelRatchaphruek(p);
            return true;
        case 10:
            jail(p);
            return true;
        case 12:
            waterworks(p);
            return true;
        case 20:
            rest(p);
            return true;
        case 24:
            taxForm(p, QStringLiteral("ภาษีที่ดิน"), false);
            return true;
        case 28:
            electricity(p);
            return true;
        case 30:
            goToJail(p);
            return true;
        case 38:
            taxForm(p, QStringLiteral("ภาษีเงินได้"), true);
            return true;
        default:
            return false;
    }
}

void drawPlace(QPainter& p, int index) {
    p.save();
    p.setClipRect(QRectF(0, 0, kPlace, kPlace), Qt::IntersectClip);
    if (!drawLandPlace(p, index)) {
        drawRulePlace(p, index);
    }
    p.restore();
}

QImage placeIllustrations() {
    QImage image = blankImage(768, 480, Qt::white);
    drawCells(image, 5, 8, [](QPainter& p, int cell, QSizeF) {
        drawPlace(p, cell);
        // A thin dark frame: the picture reads as a card in the panel.
        p.setPen(QPen(QColor(52, 32, 20), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1, 1, 94, 94));
    });
    return image;
}

}  // namespace kroda::art
