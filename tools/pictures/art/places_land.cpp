// The provinces and streets, each by a landmark, a food or a product it is known for.

#include "art/canvas.h"
#include "art/places.h"
#include "art/scenery.h"
#include "art/style.h"

#include <cmath>

namespace kroda::art {

namespace {

const QColor kSandstone(214, 150, 104);
const QColor kBrick(178, 86, 58);
const QColor kGoldLeaf(236, 186, 50);

void dayScene(QPainter& p, qreal horizon, QColor groundColour) {
    skyFill(p, QColor(110, 186, 236), QColor(206, 236, 250), horizon);
    ground(p, horizon, groundColour);
}

// บุรีรัมย์: the sandstone prang of the hilltop Khmer sanctuary, with its stairway.
void buriram(QPainter& p) {
    dayScene(p, 70, QColor(120, 170, 70));
    cloud(p, QPointF(20, 18), 8);
    QPainterPath hill;
    hill.moveTo(0, 80);
    hill.quadTo(48, 52, 96, 80);
    hill.lineTo(96, 96);
    hill.lineTo(0, 96);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(96, 150, 60));
    p.drawPath(hill);
    // Stairway.
    QPainterPath stairs;
    stairs.moveTo(40, 66);
    stairs.lineTo(56, 66);
    stairs.lineTo(64, 96);
    stairs.lineTo(32, 96);
    shape(p, stairs, shade(kSandstone, 1.1), 1.2);
    p.setPen(QPen(shade(kSandstone, 0.7), 1));
    for (qreal y = 70; y < 96; y += 4) {
        const qreal t = (y - 66) / 30;
        p.drawLine(QPointF(40 - 8 * t, y), QPointF(56 + 8 * t, y));
    }
    // The corncob tower in stacked tiers.
    box(p, QRectF(30, 52, 36, 14), kSandstone);
    box(p, QRectF(43, 56, 10, 10), QColor(70, 40, 30));
    for (int tier = 0; tier < 5; ++tier) {
        const qreal w = 30 - tier * 5.2, top = 44 - tier * 7.5;
        QPainterPath t;
        t.addRoundedRect(QRectF(48 - w / 2, top, w, 9), 3, 3);
        shape(p, t, tier % 2 ? shade(kSandstone, 1.08) : kSandstone, 1.2);
    }
    QPainterPath tip;
    tip.moveTo(44, 16);
    tip.quadTo(48, 4, 52, 16);
    tip.closeSubpath();
    shape(p, tip, kSandstone, 1.2);
}

// สุรินทร์: the elephant province.
void surin(QPainter& p) {
    dayScene(p, 72, QColor(150, 190, 80));
    sun(p, QPointF(78, 16), 8);
    const QColor grey(150, 150, 160);
    QPainterPath body;
    body.addEllipse(QRectF(30, 34, 48, 34));
    QPainterPath legs;
    legs.addRoundedRect(QRectF(36, 58, 9, 22), 3, 3);
    legs.addRoundedRect(QRectF(50, 60, 9, 20), 3, 3);
    legs.addRoundedRect(QRectF(64, 58, 9, 22), 3, 3);
    shape(p, legs, shade(grey, 0.9));
    shape(p, body, grey);
    // Head, trunk and ear.
    QPainterPath head;
    head.addEllipse(QRectF(14, 28, 28, 28));
    QPainterPath trunk;
    trunk.moveTo(16, 46);
    trunk.cubicTo(8, 56, 8, 68, 14, 76);
    trunk.lineTo(20, 74);
    trunk.cubicTo(16, 66, 18, 58, 26, 52);
    trunk.closeSubpath();
    shape(p, trunk, grey);
    shape(p, head, grey);
    QPainterPath ear;
    ear.addEllipse(QRectF(28, 28, 18, 24));
    shape(p, ear, shade(grey, 0.88));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 30, 30));
    p.drawEllipse(QPointF(22, 38), 2, 2);
    QPainterPath tusk;
    tusk.moveTo(22, 50);
    tusk.quadTo(22, 58, 30, 58);
    tusk.quadTo(26, 55, 25, 49);
    shape(p, tusk, QColor(255, 252, 236), 1);
    // A festive red-and-gold cloth on its back.
    QPainterPath cloth;
    cloth.moveTo(46, 35);
    cloth.lineTo(66, 35);
    cloth.lineTo(64, 52);
    cloth.lineTo(48, 52);
    cloth.closeSubpath();
    shape(p, cloth, colours::temple, 1.2);
    p.setPen(QPen(kGoldLeaf, 2));
    p.drawLine(QPointF(48, 49), QPointF(64, 49));
}

// น่าน: the long boat race with its naga prow.
void nan(QPainter& p) {
    skyFill(p, QColor(120, 190, 236), QColor(220, 240, 250), 50);
    hills(p, 50, QColor(70, 140, 80), 3, 10);
    seaFill(p, 50, QColor(70, 140, 170));
    QPainterPath hull;
    hull.moveTo(6, 66);
    hull.quadTo(48, 80, 84, 64);
    hull.lineTo(82, 70);
    hull.quadTo(48, 86, 8, 71);
    hull.closeSubpath();
    shape(p, hull, QColor(200, 40, 40));
    // The naga head rises at the prow.
    QPainterPath naga;
    naga.moveTo(80, 66);
    naga.cubicTo(90, 56, 84, 44, 92, 38);
    naga.lineTo(94, 44);
    naga.cubicTo(90, 48, 92, 58, 84, 68);
    naga.closeSubpath();
    shape(p, naga, kGoldLeaf);
    // Rowers in a row, paddles dipping.
    for (int i = 0; i < 6; ++i) {
        const qreal x = 16 + i * 11;
        const qreal y = 66 + std::sin((x - 48) / 30.0) * 0;
        p.setPen(outline(1.2));
        p.setBrush(i % 2 ? QColor(250, 210, 60) : QColor(250, 240, 230));
        p.drawEllipse(QPointF(x, y - 10), 3, 3);
        p.drawRect(QRectF(x - 2.5, y - 7, 5, 6));
        p.setPen(QPen(QColor(120, 70, 30), 1.6));
        p.drawLine(QPointF(x + 1, y - 6), QPointF(x - 5, y + 10));
    }
}

// ลำปาง: the white bowl with the red rooster.
void lampang(QPainter& p) {
    symbolBackdrop(p, QColor(255, 246, 220), QColor(230, 196, 130));
    QPainterPath bowl;
    bowl.moveTo(10, 40);
    bowl.lineTo(86, 40);
    bowl.cubicTo(84, 66, 68, 76, 48, 76);
    bowl.cubicTo(28, 76, 12, 66, 10, 40);
    shape(p, bowl, QColor(252, 252, 246), 1.8);
    box(p, QRectF(36, 76, 24, 6), QColor(240, 240, 232));
    p.setPen(QPen(QColor(40, 110, 60), 2));
    p.drawLine(QPointF(12, 44), QPointF(84, 44));
    QPainterPath top;
    top.addEllipse(QRectF(10, 34, 76, 12));
    shape(p, top, QColor(236, 236, 226), 1.6);
    // The rooster, painted on the side, facing left.
    QPainterPath tail;
    tail.moveTo(52, 62);
    tail.cubicTo(58, 48, 68, 46, 70, 52);
    tail.cubicTo(66, 52, 62, 56, 62, 62);
    tail.cubicTo(66, 56, 72, 58, 72, 64);
    tail.cubicTo(66, 62, 60, 66, 56, 68);
    tail.closeSubpath();
    shape(p, tail, QColor(30, 60, 40), 1);
    QPainterPath body;
    body.moveTo(34, 52);
    body.cubicTo(36, 58, 40, 60, 46, 60);
    body.cubicTo(54, 58, 58, 62, 56, 68);
    body.cubicTo(52, 74, 40, 74, 36, 68);
    body.cubicTo(32, 64, 32, 58, 34, 52);
    body.closeSubpath();
    shape(p, body, QColor(214, 52, 30), 1.1);
    p.setPen(outline(1.1));
    p.setBrush(QColor(214, 52, 30));
    p.drawEllipse(QPointF(34, 50), 4.2, 4.2);
    p.setBrush(QColor(230, 30, 40));
    p.drawEllipse(QPointF(33, 45.5), 2.2, 1.6);
    p.drawEllipse(QPointF(36, 46), 2, 1.6);
    p.drawEllipse(QPointF(34, 55), 1.3, 2);
    p.setBrush(QColor(240, 180, 40));
    p.drawPolygon(QPolygonF({QPointF(30.5, 49), QPointF(27, 51), QPointF(30.5, 52)}));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(33, 49.5), 0.9, 0.9);
    p.setBrush(QColor(250, 190, 60));
    p.drawEllipse(QPointF(46, 66), 6, 3.5);
    p.setPen(QPen(QColor(230, 160, 30), 1.4));
    p.drawLine(QPointF(42, 73), QPointF(41, 77));
    p.drawLine(QPointF(48, 73), QPointF(49, 77));
    // A banana leaf behind.
    p.setPen(QPen(QColor(60, 140, 60), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(66, 56), QPointF(76, 50));
}

// เชียงราย: the white temple with silver trim, mirrored in its pond.
void chiangRai(QPainter& p) {
    skyFill(p, QColor(70, 150, 220), QColor(190, 226, 246), 66);
    seaFill(p, 66, QColor(90, 160, 200));
    const QColor white(250, 252, 255), silver(150, 180, 210);
    box(p, QRectF(26, 44, 44, 22), white);
    thaiRoof(p, 24, 72, 44, 30, white, silver);
    // Spires.
    for (qreal x : {18.0, 78.0}) {
        QPainterPath spire;
        spire.moveTo(x - 5, 66);
        spire.lineTo(x, 26);
        spire.lineTo(x + 5, 66);
        spire.closeSubpath();
        shape(p, spire, white, 1.2);
    }
    box(p, QRectF(42, 52, 12, 14), QColor(160, 190, 220));
    // The reflection, pale and broken by ripples.
    p.setOpacity(0.35);
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawRect(QRectF(26, 67, 44, 14));
    p.setOpacity(1);
}

// สุโขทัย: a seated Buddha before the lotus-bud chedi of the old city.
void sukhothai(QPainter& p) {
    dayScene(p, 74, QColor(130, 170, 80));
    sun(p, QPointF(16, 16), 7, QColor(255, 200, 80));
    // The lotus-bud chedi.
    box(p, QRectF(50, 50, 32, 24), kBrick);
    QPainterPath bud;
    bud.moveTo(56, 50);
    bud.cubicTo(52, 34, 60, 26, 66, 14);
    bud.cubicTo(72, 26, 80, 34, 76, 50);
    bud.closeSubpath();
    shape(p, bud, shade(kBrick, 1.1));
    box(p, QRectF(58, 44, 16, 6), kBrick);
    // The Buddha seated on a lotus base: crossed legs, robed body, head with its flame.
    const QColor bronze(236, 190, 80);
    QPainterPath lotus;
    lotus.moveTo(8, 82);
    lotus.quadTo(30, 74, 52, 82);
    lotus.lineTo(48, 88);
    lotus.lineTo(12, 88);
    lotus.closeSubpath();
    shape(p, lotus, QColor(230, 150, 160), 1.2);
    QPainterPath legs;
    legs.addRoundedRect(QRectF(10, 70, 40, 12), 6, 6);
    shape(p, legs, bronze, 1.4);
    QPainterPath body;
    body.moveTo(16, 72);
    body.cubicTo(16, 60, 20, 52, 30, 52);
    body.cubicTo(40, 52, 44, 60, 44, 72);
    body.closeSubpath();
    shape(p, body, bronze, 1.4);
    p.setPen(QPen(shade(bronze, 0.7), 1.2));
    p.drawLine(QPointF(24, 54), QPointF(36, 70));
    p.setPen(outline(1.4));
    p.setBrush(bronze);
    p.drawEllipse(QPointF(30, 72), 7, 3.2);
    p.drawEllipse(QPointF(30, 44), 7, 8);
    p.drawEllipse(QPointF(30, 36.5), 4, 2.5);
    QPainterPath flame;
    flame.moveTo(27.5, 35);
    flame.quadTo(30, 24, 32.5, 35);
    shape(p, flame, bronze, 1.2);
    p.setPen(QPen(shade(bronze, 0.5), 1));
    p.drawLine(QPointF(26, 44), QPointF(28.5, 44));
    p.drawLine(QPointF(31.5, 44), QPointF(34, 44));
}

// อยุธยา: the red brick prangs of the old capital.
void ayutthaya(QPainter& p) {
    skyFill(p, QColor(250, 190, 120), QColor(255, 236, 200), 76);
    ground(p, 76, QColor(120, 150, 70));
    auto prang = [&](qreal x, qreal w, qreal h) {
        QPainterPath t;
        t.moveTo(x - w / 2, 80);
        t.lineTo(x - w / 2, 80 - h * 0.35);
        t.cubicTo(x - w / 2, 80 - h * 0.8, x - w * 0.15, 80 - h, x, 80 - h);
        t.cubicTo(x + w * 0.15, 80 - h, x + w / 2, 80 - h * 0.8, x + w / 2, 80 - h * 0.35);
        t.lineTo(x + w / 2, 80);
        t.closeSubpath();
        shape(p, t, kBrick);
        p.setPen(QPen(shade(kBrick, 0.7), 1));
        for (qreal y = 80 - h * 0.3; y > 80 - h * 0.85; y -= h * 0.12) {
            p.drawLine(QPointF(x - w * 0.4, y), QPointF(x + w * 0.4, y));
        }
        box(p, QRectF(x - w * 0.15, 80 - h * 0.22, w * 0.3, h * 0.22), QColor(70, 30, 20), 1);
    };
    prang(22, 20, 40);
    prang(74, 20, 40);
    prang(48, 28, 62);
    box(p, QRectF(4, 80, 88, 5), shade(kBrick, 0.9));
}

// กาญจนบุรี: the iron bridge over the river, a train crossing.
void kanchanaburi(QPainter& p) {
    skyFill(p, QColor(120, 190, 236), QColor(220, 240, 250), 60);
    hills(p, 60, QColor(70, 130, 80), 2, 12);
    seaFill(p, 60, QColor(70, 130, 150));
    const QColor iron(60, 60, 70);
    box(p, QRectF(0, 46, 96, 5), iron);
    // Truss arches.
    p.setPen(QPen(iron, 2));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const qreal x = 4 + i * 30;
        QPainterPath arch;
        arch.moveTo(x, 46);
        arch.quadTo(x + 13, 26, x + 26, 46);
        p.drawPath(arch);
        for (int k = 1; k < 4; ++k) {
            const qreal t = k / 4.0;
            const qreal ax = x + 26 * t;
            const qreal ay = 46 - 20 * 4 * t * (1 - t) * 0.5;
            p.drawLine(QPointF(ax, 46), QPointF(ax, ay));
        }
    }
    // Piers.
    for (int i = 0; i < 4; ++i) {
        box(p, QRectF(2 + i * 30, 51, 6, 14), QColor(120, 110, 100));
    }
    // The little train.
    box(p, QRectF(50, 36, 20, 10), QColor(40, 80, 160));
    box(p, QRectF(72, 34, 18, 12), QColor(200, 60, 40));
    box(p, QRectF(84, 28, 4, 6), QColor(60, 60, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 240, 160));
    p.drawRect(QRectF(53, 38, 5, 4));
    p.drawRect(QRectF(61, 38, 5, 4));
}

// ระยอง: fruit of the east coast, a durian beside rambutans.
void rayong(QPainter& p) {
    symbolBackdrop(p, QColor(255, 250, 220), QColor(180, 214, 120));
    // Durian: a spiky green ball.
    QPainterPath spikes;
    const QPointF c(40, 50);
    for (int i = 0; i < 28; ++i) {
        const qreal a = i * 3.14159265 * 2 / 28;
        const qreal r = i % 2 ? 27 : 31;
        const QPointF pt = c + QPointF(std::cos(a) * r, std::sin(a) * r * 0.92);
        if (i == 0) {
            spikes.moveTo(pt);
        } else {
            spikes.lineTo(pt);
        }
    }
    spikes.closeSubpath();
    shape(p, spikes, QColor(130, 160, 40));
    p.setPen(QPen(QColor(90, 120, 20), 1));
    for (int i = 0; i < 5; ++i) {
        p.drawLine(c + QPointF(-18 + i * 9, -14 + (i % 2) * 6),
                   c + QPointF(-16 + i * 9, -9 + (i % 2) * 6));
        p.drawLine(c + QPointF(-18 + i * 9, 6 - (i % 2) * 4),
                   c + QPointF(-16 + i * 9, 11 - (i % 2) * 4));
    }
    box(p, QRectF(38, 16, 5, 8), QColor(120, 90, 40), 1.2);
    // Rambutans: red hairy fruit.
    for (const QPointF& r : {QPointF(74, 66), QPointF(62, 78), QPointF(82, 80)}) {
        p.setPen(QPen(QColor(60, 150, 50), 1.4));
        for (int i = 0; i < 12; ++i) {
            const qreal a = i * 3.14159265 / 6;
            p.drawLine(r + QPointF(std::cos(a) * 8, std::sin(a) * 8),
                       r + QPointF(std::cos(a) * 11, std::sin(a) * 11));
        }
        p.setPen(outline(1.2));
        p.setBrush(QColor(220, 40, 50));
        p.drawEllipse(r, 9, 9);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 160, 160));
        p.drawEllipse(r + QPointF(-3, -3), 2.5, 2);
    }
}

void gem(QPainter& p, QPointF c, qreal s, QColor colour) {
    QPolygonF crown({c + QPointF(-s, -s * 0.3), c + QPointF(-s * 0.55, -s * 0.8),
                     c + QPointF(s * 0.55, -s * 0.8), c + QPointF(s, -s * 0.3)});
    QPolygonF pavilion({c + QPointF(-s, -s * 0.3), c + QPointF(s, -s * 0.3), c + QPointF(0, s)});
    p.setPen(outline(1.4));
    p.setBrush(shade(colour, 1.35));
    p.drawPolygon(crown);
    p.setBrush(colour);
    p.drawPolygon(pavilion);
    p.setPen(QPen(shade(colour, 1.6), 1));
    p.drawLine(c + QPointF(-s * 0.3, -s * 0.3), c + QPointF(0, s * 0.9));
    p.drawLine(c + QPointF(s * 0.3, -s * 0.3), c + QPointF(0, s * 0.9));
    p.drawLine(c + QPointF(-s * 0.55, -s * 0.8), c + QPointF(-s * 0.3, -s * 0.3));
    p.drawLine(c + QPointF(s * 0.55, -s * 0.8), c + QPointF(s * 0.3, -s * 0.3));
}

// จันทบุรี: the gem market, a sapphire and a ruby.
void chanthaburi(QPainter& p) {
    symbolBackdrop(p, QColor(255, 250, 236), QColor(120, 100, 160));
    // A cloth to show the stones on.
    QPainterPath cloth;
    cloth.addRoundedRect(QRectF(8, 58, 80, 30), 6, 6);
    shape(p, cloth, QColor(40, 40, 70));
    gem(p, QPointF(36, 46), 22, QColor(40, 90, 220));
    gem(p, QPointF(70, 62), 13, QColor(220, 30, 60));
    gem(p, QPointF(20, 74), 8, QColor(40, 180, 120));
    for (const QPointF& s : {QPointF(62, 22), QPointF(14, 26), QPointF(84, 42)}) {
        p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(s + QPointF(-4, 0), s + QPointF(4, 0));
        p.drawLine(s + QPointF(0, -4), s + QPointF(0, 4));
    }
}

// พัทยา: the bay with its towers, beach umbrellas and a parasail.
void pattaya(QPainter& p) {
    skyFill(p, QColor(80, 170, 236), QColor(200, 234, 250), 56);
    for (int i = 0; i < 7; ++i) {
        const qreal h = 14 + (i * 37 % 17);
        building(p, QRectF(8 + i * 12, 56 - h, 10, h), QColor(220, 226, 236), QColor(120, 170, 220),
                 int(h / 6), 2);
    }
    seaFill(p, 56, QColor(30, 150, 200), 76);
    ground(p, 76, QColor(244, 220, 160));
    // Parasail.
    QPainterPath sail;
    sail.moveTo(56, 22);
    sail.quadTo(68, 8, 80, 22);
    sail.closeSubpath();
    shape(p, sail, QColor(250, 80, 60), 1.2);
    p.setPen(QPen(QColor(60, 60, 60), 0.8));
    p.drawLine(QPointF(56, 22), QPointF(68, 32));
    p.drawLine(QPointF(80, 22), QPointF(68, 32));
    p.drawLine(QPointF(68, 32), QPointF(40, 64));
    // Beach umbrellas.
    for (int i = 0; i < 3; ++i) {
        const qreal x = 16 + i * 30;
        p.setPen(outline(1.2));
        p.drawLine(QPointF(x, 80), QPointF(x, 90));
        QPainterPath u;
        u.moveTo(x - 11, 82);
        u.quadTo(x, 68, x + 11, 82);
        u.closeSubpath();
        shape(p, u, i % 2 ? QColor(60, 140, 240) : QColor(250, 200, 40), 1.2);
    }
}

// หาดใหญ่: the famous fried chicken with crisp shallots.
void hatYai(QPainter& p) {
    symbolBackdrop(p, QColor(255, 244, 214), QColor(226, 120, 70));
    QPainterPath plate;
    plate.addEllipse(QRectF(6, 50, 84, 36));
    shape(p, plate, QColor(250, 250, 244));
    QPainterPath leaf;
    leaf.addEllipse(QRectF(14, 54, 68, 26));
    shape(p, leaf, QColor(80, 160, 70), 1.2);
    auto drumstick = [&](QPointF c, qreal angle) {
        p.save();
        p.translate(c);
        p.rotate(angle);
        box(p, QRectF(14, -3, 12, 6), QColor(250, 240, 220), 1.2);
        p.setPen(outline(1.2));
        p.setBrush(QColor(250, 240, 220));
        p.drawEllipse(QPointF(27, -3), 3.5, 3.5);
        p.drawEllipse(QPointF(27, 3), 3.5, 3.5);
        QPainterPath meat;
        meat.addEllipse(QRectF(-18, -13, 34, 26));
        QRadialGradient g(QPointF(-6, -6), 26);
        g.setColorAt(0, QColor(240, 170, 70));
        g.setColorAt(1, QColor(180, 90, 30));
        p.setBrush(g);
        p.drawPath(meat);
        p.restore();
    };
    drumstick(QPointF(34, 56), -25);
    drumstick(QPointF(56, 62), 20);
    // Crisp fried shallots on top.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 120, 40));
    for (int i = 0; i < 14; ++i) {
        p.drawEllipse(QPointF(22 + (i * 37) % 52, 48 + (i * 23) % 22), 1.6, 1.2);
    }
}

// กระบี่: limestone towers rising from a turquoise sea, and a long-tail boat.
void krabi(QPainter& p) {
    skyFill(p, QColor(90, 180, 236), QColor(210, 240, 250), 62);
    cloud(p, QPointF(70, 14), 7);
    auto karst = [&](qreal x, qreal w, qreal h, QColor c) {
        QPainterPath k;
        k.moveTo(x - w / 2, 64);
        k.cubicTo(x - w / 2 - 3, 64 - h * 0.6, x - w * 0.3, 64 - h, x, 64 - h);
        k.cubicTo(x + w * 0.4, 64 - h, x + w / 2 + 2, 64 - h * 0.5, x + w / 2, 64);
        k.closeSubpath();
        shape(p, k, c, 1.2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 140, 60));
        p.drawEllipse(QPointF(x - w * 0.1, 64 - h + 4), w * 0.3, 3.5);
    };
    karst(24, 26, 44, QColor(170, 160, 140));
    karst(72, 32, 36, QColor(190, 178, 156));
    seaFill(p, 62, QColor(30, 190, 190));
    longtailBoat(p, QPointF(46, 82), 1.2, QColor(170, 110, 60));
}

// หัวหิน: the royal waiting pavilion of the railway station.
void huaHin(QPainter& p) {
    skyFill(p, QColor(100, 180, 236), QColor(216, 240, 250), 72);
    ground(p, 72, QColor(190, 180, 170));
    const QColor red(200, 40, 40), cream(252, 240, 214);
    // Posts and base.
    box(p, QRectF(18, 62, 60, 10), cream);
    for (int i = 0; i < 4; ++i) {
        box(p, QRectF(22 + i * 16, 40, 4, 22), red, 1.2);
    }
    thaiRoof(p, 14, 82, 42, 30, red, cream);
    // The rails.
    p.setPen(QPen(QColor(80, 70, 60), 2));
    p.drawLine(QPointF(0, 82), QPointF(96, 82));
    p.drawLine(QPointF(0, 90), QPointF(96, 90));
    p.setPen(QPen(QColor(120, 90, 60), 2));
    for (int x = 4; x < 96; x += 10) {
        p.drawLine(QPointF(x, 80), QPointF(x + 3, 92));
    }
}

// เกาะสมุย: coconut palms on the island and a fresh coconut to drink.
void kohSamui(QPainter& p) {
    skyFill(p, QColor(80, 176, 236), QColor(210, 240, 250), 60);
    seaFill(p, 60, QColor(30, 170, 200));
    QPainterPath island;
    island.moveTo(10, 68);
    island.quadTo(48, 52, 88, 68);
    island.closeSubpath();
    shape(p, island, QColor(244, 222, 160), 1.2);
    palm(p, QPointF(30, 64), 40, 8);
    palm(p, QPointF(60, 62), 32, -6);
    // The coconut with a straw in front.
    p.setPen(outline(1.6));
    p.setBrush(QColor(90, 160, 60));
    p.drawEllipse(QPointF(70, 80), 13, 11);
    p.setBrush(QColor(250, 250, 236));
    p.drawEllipse(QPointF(70, 72), 7, 3);
    p.setPen(QPen(QColor(240, 60, 120), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(71, 72), QPointF(80, 56));
}

// ภูเก็ต: sunset over the Andaman from the cape, a lighthouse on the headland.
void phuket(QPainter& p) {
    skyFill(p, QColor(120, 60, 140), QColor(255, 170, 80), 62);
    sun(p, QPointF(58, 56), 12, QColor(255, 220, 90));
    seaFill(p, 62, QColor(200, 90, 90));
    QPainterPath cape;
    cape.moveTo(0, 40);
    cape.quadTo(22, 38, 36, 62);
    cape.lineTo(36, 96);
    cape.lineTo(0, 96);
    cape.closeSubpath();
    shape(p, cape, QColor(60, 70, 50), 1.2);
    box(p, QRectF(12, 24, 8, 16), QColor(250, 250, 240), 1.2);
    QPainterPath lamp;
    lamp.moveTo(10, 24);
    lamp.lineTo(16, 16);
    lamp.lineTo(22, 24);
    lamp.closeSubpath();
    shape(p, lamp, colours::temple, 1.2);
    p.setPen(QPen(QColor(255, 240, 160, 180), 3));
    p.drawLine(QPointF(21, 21), QPointF(40, 16));
}

// เชียงใหม่: the painted paper umbrellas of the craft village.
void chiangMai(QPainter& p) {
    symbolBackdrop(p, QColor(255, 246, 226), QColor(200, 150, 110));
    auto umbrella = [&](QPointF c, qreal r, QColor colour, QColor pattern) {
        QPainterPath u;
        u.addEllipse(c, r, r);
        shape(p, u, colour, 1.6);
        p.setPen(QPen(shade(colour, 0.7), 1));
        for (int i = 0; i < 12; ++i) {
            const qreal a = i * 3.14159265 / 6;
            p.drawLine(c, c + QPointF(std::cos(a) * r, std::sin(a) * r));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(pattern);
        for (int i = 0; i < 6; ++i) {
            const qreal a = i * 3.14159265 / 3 + 0.3;
            p.drawEllipse(c + QPointF(std::cos(a) * r * 0.62, std::sin(a) * r * 0.62), r * 0.14,
                          r * 0.14);
        }
        p.setPen(outline(1.2));
        p.setBrush(QColor(120, 70, 30));
        p.drawEllipse(c, r * 0.12, r * 0.12);
    };
    umbrella(QPointF(30, 34), 24, QColor(230, 60, 60), QColor(255, 220, 100));
    umbrella(QPointF(68, 46), 22, QColor(60, 140, 220), QColor(255, 255, 255));
    umbrella(QPointF(38, 74), 18, QColor(250, 190, 40), QColor(200, 60, 40));
}

// ถนนเยาวราช: Chinatown at night, red lanterns and neon signs.
void yaowarat(QPainter& p) {
    skyFill(p, QColor(30, 30, 70), QColor(90, 50, 90), 96);
    building(p, QRectF(4, 30, 28, 66), QColor(90, 70, 80), QColor(255, 210, 120), 6, 3);
    building(p, QRectF(64, 24, 28, 72), QColor(80, 70, 90), QColor(255, 210, 120), 7, 3);
    // Vertical neon signs.
    box(p, QRectF(30, 20, 10, 40), QColor(230, 40, 40), 1.2);
    box(p, QRectF(56, 28, 10, 36), QColor(250, 200, 40), 1.2);
    p.setPen(QPen(QColor(255, 255, 200), 1.6));
    for (int i = 0; i < 4; ++i) {
        p.drawLine(QPointF(33, 25 + i * 9), QPointF(37, 25 + i * 9));
        p.drawLine(QPointF(59, 33 + i * 8), QPointF(63, 33 + i * 8));
    }
    // A string of lanterns.
    p.setPen(QPen(QColor(40, 20, 20), 1));
    QPainterPath string;
    string.moveTo(0, 14);
    string.quadTo(48, 30, 96, 14);
    p.setBrush(Qt::NoBrush);
    p.drawPath(string);
    for (int i = 0; i < 5; ++i) {
        const qreal x = 10 + i * 19;
        const qreal y = 14 + 16 * (1 - std::pow((x - 48) / 48.0, 2)) * 0.85;
        p.setPen(outline(1.2));
        QRadialGradient g(QPointF(x - 2, y + 4), 10);
        g.setColorAt(0, QColor(255, 120, 80));
        g.setColorAt(1, QColor(200, 20, 20));
        p.setBrush(g);
        p.drawEllipse(QPointF(x, y + 6), 7, 6);
        p.setBrush(kGoldLeaf);
        p.drawRect(QRectF(x - 3, y - 1, 6, 2));
        p.drawRect(QRectF(x - 3, y + 11.5, 6, 2));
    }
    ground(p, 88, QColor(60, 50, 50));
}

// ถนนสีลม: the business district's glass towers.
void silom(QPainter& p) {
    skyFill(p, QColor(90, 160, 230), QColor(220, 236, 250), 96);
    building(p, QRectF(6, 30, 20, 66), QColor(120, 170, 210), QColor(200, 230, 250), 10, 3);
    building(p, QRectF(30, 12, 22, 84), QColor(70, 110, 160), QColor(170, 210, 240), 13, 3);
    building(p, QRectF(56, 38, 16, 58), QColor(180, 190, 200), QColor(100, 140, 180), 8, 2);
    building(p, QRectF(74, 24, 18, 72), QColor(100, 140, 190), QColor(210, 230, 250), 11, 3);
    QPainterPath spire;
    spire.moveTo(39, 12);
    spire.lineTo(41, 2);
    spire.lineTo(43, 12);
    shape(p, spire, QColor(200, 200, 210), 1);
    // The elevated train line across the foot of the towers.
    box(p, QRectF(0, 78, 96, 5), QColor(200, 200, 200), 1.2);
    box(p, QRectF(10, 70, 30, 8), QColor(40, 130, 80), 1.2);
}

// ถนนสุขุมวิท: the sky train gliding above the avenue.
void sukhumvit(QPainter& p) {
    skyFill(p, QColor(250, 170, 100), QColor(255, 230, 190), 96);
    building(p, QRectF(2, 20, 22, 76), QColor(150, 130, 140), QColor(255, 230, 160), 10, 3);
    building(p, QRectF(70, 14, 24, 82), QColor(130, 120, 150), QColor(255, 230, 160), 11, 3);
    building(p, QRectF(28, 34, 18, 62), QColor(170, 150, 150), QColor(255, 230, 160), 8, 2);
    box(p, QRectF(0, 58, 96, 6), QColor(210, 210, 210), 1.2);
    for (qreal x : {14.0, 50.0, 84.0}) {
        box(p, QRectF(x, 64, 6, 32), QColor(190, 190, 190), 1.2);
    }
    // Train cars.
    QPainterPath train;
    train.addRoundedRect(QRectF(8, 42, 80, 16), 5, 5);
    shape(p, train, QColor(245, 245, 245));
    p.fillRect(QRectF(9, 51, 78, 3), QColor(40, 140, 80));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 90, 140));
    for (int i = 0; i < 7; ++i) {
        p.drawRect(QRectF(13 + i * 10.5, 45, 7, 5));
    }
    p.setPen(outline(1));
    p.drawLine(QPointF(48, 42), QPointF(48, 58));
}

// ถนนราชดำเนิน: the monument with its four wings on the grand avenue.
void ratchadamnoen(QPainter& p) {
    skyFill(p, QColor(90, 170, 236), QColor(220, 240, 250), 74);
    ground(p, 74, QColor(160, 160, 150));
    const QColor stone(240, 236, 220);
    // The four wings, two of them seen edge-on.
    for (const auto& wing : {QRectF(12, 30, 12, 46), QRectF(72, 30, 12, 46)}) {
        QPainterPath w;
        w.moveTo(wing.left(), wing.bottom());
        w.lineTo(wing.left() + 2, wing.top() + 10);
        w.quadTo(wing.center().x(), wing.top() - 6, wing.right() - 2, wing.top() + 10);
        w.lineTo(wing.right(), wing.bottom());
        w.closeSubpath();
        shape(p, w, stone, 1.4);
    }
    for (qreal x : {30.0, 60.0}) {
        QPainterPath w;
        w.moveTo(x, 76);
        w.lineTo(x + 1, 42);
        w.quadTo(x + 3, 34, x + 5, 42);
        w.lineTo(x + 6, 76);
        w.closeSubpath();
        shape(p, w, shade(stone, 0.92), 1.2);
    }
    // The central turret with its golden top.
    box(p, QRectF(40, 48, 16, 28), stone, 1.4);
    QPainterPath dome;
    dome.moveTo(40, 48);
    dome.quadTo(48, 32, 56, 48);
    dome.closeSubpath();
    shape(p, dome, kGoldLeaf, 1.2);
    box(p, QRectF(46, 56, 4, 12), QColor(60, 50, 40), 1);
    box(p, QRectF(6, 76, 84, 6), QColor(200, 196, 184), 1.2);
}

}  // namespace

bool drawLandPlace(QPainter& p, int index) {
    switch (index) {
        case 1:
            buriram(p);
            return true;
        case 3:
            surin(p);
            return true;
        case 6:
            nan(p);
            return true;
        case 8:
            lampang(p);
            return true;
        case 9:
            chiangRai(p);
            return true;
        case 11:
            sukhothai(p);
            return true;
        case 13:
            ayutthaya(p);
            return true;
        case 14:
            kanchanaburi(p);
            return true;
        case 16:
            rayong(p);
            return true;
        case 18:
            chanthaburi(p);
            return true;
        case 19:
            pattaya(p);
            return true;
        case 21:
            hatYai(p);
            return true;
        case 23:
            krabi(p);
            return true;
        case 26:
            huaHin(p);
            return true;
        case 27:
            kohSamui(p);
            return true;
        case 29:
            phuket(p);
            return true;
        case 31:
            chiangMai(p);
            return true;
        case 32:
            yaowarat(p);
            return true;
        case 34:
            silom(p);
            return true;
        case 37:
            sukhumvit(p);
            return true;
        case 39:
            ratchadamnoen(p);
            return true;
        default:
            return false;
    }
}

}  // namespace kroda::art
