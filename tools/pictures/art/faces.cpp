// The narrator นายเหลือง and the players' faces. Every face is drawn in a 100-unit space around
// its centre, so the same features serve the narrator's 72-pixel cells and the players' 56.

#include "art/canvas.h"
#include "art/pictures.h"
#include "art/style.h"

#include <cmath>

namespace kroda::art {

namespace {

enum class Eyes { Open, Happy, Wink, Wide, Worried, Curious, Ruined };
enum class Mouth { Smile, Talk, Grin, Oh, Frown, Wavy, Small };
enum class Brows { None, Calm, Raised, OneUp, Worried, Sad };

struct Expression {
    Eyes eyes;
    Mouth mouth;
    Brows brows;
    bool blush = false;
    bool sweat = false;
    bool tears = false;
    bool sparkles = false;
    bool question = false;
};

const QColor kOutline(52, 30, 18);

QPen outlinePen(qreal width) {
    return QPen(kOutline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawEye(QPainter& p, QPointF c, Eyes eyes, bool left) {
    switch (eyes) {
        case Eyes::Happy: {
            QPainterPath arc;
            arc.moveTo(c + QPointF(-8, 3));
            arc.quadTo(c + QPointF(0, -9), c + QPointF(8, 3));
            p.setBrush(Qt::NoBrush);
            p.setPen(outlinePen(4));
            p.drawPath(arc);
            return;
        }
        case Eyes::Wink:
            if (!left) {
                drawEye(p, c, Eyes::Happy, left);
                return;
            }
            break;
        case Eyes::Ruined: {
            p.setPen(outlinePen(4));
            p.drawLine(c + QPointF(-6, -6), c + QPointF(6, 6));
            p.drawLine(c + QPointF(6, -6), c + QPointF(-6, 6));
            return;
        }
        default:
            break;
    }
    const bool wide = eyes == Eyes::Wide;
    const QSizeF white = wide ? QSizeF(10, 12.5) : QSizeF(8, 10);
    p.setPen(outlinePen(2.2));
    p.setBrush(Qt::white);
    p.drawEllipse(c, white.width(), white.height());
    QPointF look(0, 1.5);
    if (eyes == Eyes::Curious) {
        look = QPointF(3.5, -1.5);
    } else if (eyes == Eyes::Worried) {
        look = QPointF(left ? 2 : -2, -2.5);
    }
    const qreal pupil = wide ? 4.2 : 5.2;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 22, 20));
    p.drawEllipse(c + look, pupil, pupil * 1.1);
    p.setBrush(Qt::white);
    p.drawEllipse(c + look + QPointF(-1.8, -2.2), 1.7, 1.7);
}

void drawBrow(QPainter& p, QPointF eye, Brows brows, bool left) {
    const qreal s = left ? -1 : 1;  // mirror for the left eye
    QPointF inner, outer;
    switch (brows) {
        case Brows::None:
            return;
        case Brows::Calm:
            inner = eye + QPointF(-s * 6, -15);
            outer = eye + QPointF(s * 7, -16);
            break;
        case Brows::Raised:
            inner = eye + QPointF(-s * 6, -20);
            outer = eye + QPointF(s * 7, -21);
            break;
        case Brows::OneUp:
            if (left) {
                inner = eye + QPointF(6, -16);
                outer = eye + QPointF(-7, -15);
            } else {
                inner = eye + QPointF(-6, -20);
                outer = eye + QPointF(7, -23);
            }
            break;
        case Brows::Worried:
            inner = eye + QPointF(-s * 5, -20);
            outer = eye + QPointF(s * 8, -14);
            break;
        case Brows::Sad:
            inner = eye + QPointF(-s * 5, -19);
            outer = eye + QPointF(s * 8, -12);
            break;
    }
    p.setPen(outlinePen(3.6));
    p.drawLine(inner, outer);
}

void drawMouth(QPainter& p, Mouth mouth, qreal y) {
    p.setPen(outlinePen(3.2));
    switch (mouth) {
        case Mouth::Smile: {
            QPainterPath m;
            m.moveTo(-14, y - 2);
            m.quadTo(0, y + 12, 14, y - 2);
            p.setBrush(Qt::NoBrush);
            p.drawPath(m);
            return;
        }
        case Mouth::Small: {
            QPainterPath m;
            m.moveTo(-7, y + 1);
            m.quadTo(0, y + 5, 7, y + 1);
            p.setBrush(Qt::NoBrush);
            p.drawPath(m);
            return;
        }
        case Mouth::Talk: {
            QPainterPath m;
            m.addEllipse(QPointF(0, y + 4), 9, 8);
            p.setBrush(QColor(120, 26, 30));
            p.drawPath(m);
            p.save();
            p.setClipPath(m);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(232, 96, 100));
            p.drawEllipse(QPointF(0, y + 11), 7, 5);
            p.restore();
            return;
        }
        case Mouth::Grin: {
            QPainterPath m;
            m.moveTo(-17, y - 3);
            m.quadTo(0, y - 1, 17, y - 3);
            m.quadTo(15, y + 18, 0, y + 18);
            m.quadTo(-15, y + 18, -17, y - 3);
            p.setBrush(QColor(120, 26, 30));
            p.drawPath(m);
            p.save();
            p.setClipPath(m);
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(-18, y - 5, 36, 6.5));
            p.setBrush(QColor(232, 96, 100));
            p.drawEllipse(QPointF(0, y + 19), 10, 7);
            p.restore();
            p.setBrush(Qt::NoBrush);
            p.drawPath(m);
            return;
        }
        case Mouth::Oh:
            p.setBrush(QColor(120, 26, 30));
            p.drawEllipse(QPointF(0, y + 4), 5.5, 7);
            return;
        case Mouth::Frown: {
            QPainterPath m;
            m.moveTo(-12, y + 7);
            m.quadTo(0, y - 4, 12, y + 7);
            p.setBrush(Qt::NoBrush);
            p.drawPath(m);
            return;
        }
        case Mouth::Wavy: {
            QPainterPath m;
            m.moveTo(-15, y + 5);
            for (int i = 0; i < 4; ++i) {
                const qreal x0 = -15 + i * 7.5;
                m.quadTo(x0 + 3.75, y + (i % 2 ? 9 : 0), x0 + 7.5, y + 5);
            }
            p.setBrush(Qt::NoBrush);
            p.drawPath(m);
            return;
        }
    }
}

void drawDrop(QPainter& p, QPointF tip, qreal size, QColor colour) {
    QPainterPath drop;
    drop.moveTo(tip);
    drop.cubicTo(tip + QPointF(size * 0.9, size * 1.1), tip + QPointF(size * 0.8, size * 2),
                 tip + QPointF(0, size * 2));
    drop.cubicTo(tip + QPointF(-size * 0.8, size * 2), tip + QPointF(-size * 0.9, size * 1.1), tip);
    p.setPen(QPen(shade(colour, 0.6), 1.6));
    p.setBrush(colour);
    p.drawPath(drop);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(tip + QPointF(-size * 0.25, size * 1.25), size * 0.2, size * 0.3);
}

void drawSparkle(QPainter& p, QPointF c, qreal r, QColor colour) {
    QPainterPath star;
    star.moveTo(c + QPointF(0, -r));
    star.quadTo(c, c + QPointF(r, 0));
    star.quadTo(c, c + QPointF(0, r));
    star.quadTo(c, c + QPointF(-r, 0));
    star.quadTo(c, c + QPointF(0, -r));
    p.setPen(QPen(shade(colour, 0.6), 1));
    p.setBrush(colour);
    p.drawPath(star);
}

// The features of one expression, in the 100-unit face space (centre 0,0, radius 50).
void drawFeatures(QPainter& p, const Expression& e, qreal eyeY, qreal mouthY) {
    const QPointF leftEye(-17, eyeY), rightEye(17, eyeY);
    if (e.blush) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 110, 120, 120));
        p.drawEllipse(QPointF(-29, mouthY - 4), 8, 5);
        p.drawEllipse(QPointF(29, mouthY - 4), 8, 5);
    }
    drawEye(p, leftEye, e.eyes, true);
    drawEye(p, rightEye, e.eyes, false);
    drawBrow(p, leftEye, e.brows, true);
    drawBrow(p, rightEye, e.brows, false);
    drawMouth(p, e.mouth, mouthY);
    if (e.sweat) {
        drawDrop(p, QPointF(38, -30), 7, QColor(140, 200, 255));
    }
    if (e.tears) {
        drawDrop(p, leftEye + QPointF(-4, 9), 5, QColor(120, 190, 255));
        drawDrop(p, rightEye + QPointF(4, 9), 5, QColor(120, 190, 255));
    }
}

// A round backdrop behind each face, warm for the narrator and soft for the players.
void drawBackdrop(QPainter& p, QSizeF size, QColor inner, QColor outer) {
    QRadialGradient g(QPointF(size.width() / 2, size.height() * 0.42), size.width() * 0.75);
    g.setColorAt(0, inner);
    g.setColorAt(1, outer);
    p.fillRect(QRectF(QPointF(0, 0), size), g);
}

const Expression kNarrator[5] = {
    {Eyes::Wink, Mouth::Grin, Brows::Calm, true},                         // greeting
    {Eyes::Open, Mouth::Smile, Brows::Calm, true},                        // at rest
    {Eyes::Open, Mouth::Talk, Brows::Calm, true},                         // talking
    {Eyes::Wide, Mouth::Oh, Brows::Raised, false},                        // surprised
    {Eyes::Happy, Mouth::Grin, Brows::Raised, true, false, false, true},  // laughing
};

const Expression kPlayer[5] = {
    {Eyes::Curious, Mouth::Small, Brows::OneUp, false, false, false, false, true},  // offered
    {Eyes::Open, Mouth::Smile, Brows::Calm, true},                                  // pleased
    {Eyes::Happy, Mouth::Grin, Brows::Raised, true, false, false, true},            // delighted
    {Eyes::Worried, Mouth::Wavy, Brows::Worried, false, true},                      // worried
    {Eyes::Ruined, Mouth::Frown, Brows::Sad, false, false, true},                   // ruined
};

void drawNarrator(QPainter& p, int cell, QSizeF size) {
    drawBackdrop(p, size, QColor(178, 226, 240), QColor(60, 140, 170));
    // Shirt: a blue collared shirt below the chin.
    p.setPen(outlinePen(1.4));
    QPainterPath shirt;
    shirt.moveTo(10, 72);
    shirt.cubicTo(12, 60, 24, 57, 36, 57);
    shirt.cubicTo(48, 57, 60, 60, 62, 72);
    shirt.closeSubpath();
    p.setBrush(QColor(40, 90, 180));
    p.drawPath(shirt);
    QPainterPath collar;
    collar.moveTo(26, 58);
    collar.lineTo(36, 66);
    collar.lineTo(46, 58);
    collar.lineTo(42, 56);
    collar.lineTo(36, 60);
    collar.lineTo(30, 56);
    collar.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(collar);

    p.save();
    p.translate(36, 33);
    p.scale(0.5, 0.5);  // the 100-unit face, radius 50 -> 25 pixels
    // Ears.
    const QColor skin(255, 212, 40);
    p.setPen(outlinePen(3));
    p.setBrush(shade(skin, 0.95));
    p.drawEllipse(QPointF(-50, 4), 9, 12);
    p.drawEllipse(QPointF(50, 4), 9, 12);
    // Head.
    QRadialGradient g(QPointF(-14, -18), 70);
    g.setColorAt(0, QColor(255, 244, 150));
    g.setColorAt(0.55, skin);
    g.setColorAt(1, QColor(236, 168, 16));
    p.setBrush(g);
    p.setPen(outlinePen(3.4));
    p.drawEllipse(QPointF(0, 0), 50, 52);
    // Hair: a neat black cap with a side parting.
    QPainterPath hair;
    hair.moveTo(-49, -6);
    hair.cubicTo(-52, -44, -20, -58, 4, -56);
    hair.cubicTo(32, -55, 52, -36, 49, -8);
    hair.cubicTo(40, -26, 22, -32, 2, -30);
    hair.cubicTo(-10, -30, -14, -40, -16, -34);
    hair.cubicTo(-26, -30, -40, -22, -49, -6);
    p.setBrush(QColor(34, 26, 24));
    p.setPen(outlinePen(2.2));
    p.drawPath(hair);
    p.setPen(QPen(QColor(90, 80, 80), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-4, -52), QPointF(-14, -36));
    drawFeatures(p, kNarrator[cell], -2, 22);
    if (kNarrator[cell].sparkles) {
        drawSparkle(p, QPointF(-58, -46), 9, colours::lightGold);
        drawSparkle(p, QPointF(60, -40), 7, colours::lightGold);
    }
    p.restore();
}

void drawPlayerFace(QPainter& p, int player, int cell, QSizeF size) {
    const Expression& e = kPlayer[cell];
    QColor skin = faceColours[size_t(player - 1)];
    if (cell == 4) {  // ruined: the colour drains a little
        skin = mix(skin, QColor(150, 150, 160), 0.35);
    }
    const bool white = player == 3;
    drawBackdrop(p, size, QColor(255, 248, 226),
                 white ? QColor(170, 184, 200) : QColor(226, 204, 160));
    p.save();
    p.translate(28, 30);
    p.scale(0.46, 0.46);
    // A round token-like body: the head sits on a little pedestal in the same colour.
    QRadialGradient g(QPointF(-16, -20), 72);
    g.setColorAt(0, shade(skin, 1.45));
    g.setColorAt(0.5, skin);
    g.setColorAt(1, shade(skin, white ? 0.78 : 0.7));
    p.setPen(outlinePen(3.6));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(-34, 38, 68, 22), 8, 8);
    p.drawEllipse(QPointF(0, 0), 50, 48);
    drawFeatures(p, e, -6, 18);
    if (e.sparkles) {
        drawSparkle(p, QPointF(-50, -44), 10, colours::lightGold);
        drawSparkle(p, QPointF(50, -46), 8, colours::lightGold);
        drawSparkle(p, QPointF(52, 32), 6, colours::lightGold);
    }
    if (e.question) {
        const QFont font = thaiFont("Loma", 40, true);
        drawCentredText(p, QRectF(30, -62, 30, 36), "?", font, QColor(255, 230, 90), kOutline, 2.5);
    }
    p.restore();
}

}  // namespace

QImage narratorFaces() {
    QImage image = blankImage(360, 72, Qt::white);
    drawCells(image, 1, 5, drawNarrator);
    return image;
}

QImage playerFaces(int player) {
    QImage image = blankImage(280, 56, Qt::white);
    drawCells(image, 1, 5, [player](QPainter& p, int cell, QSizeF size) {
        drawPlayerFace(p, player, cell, size);
    });
    return image;
}

}  // namespace kroda::art
