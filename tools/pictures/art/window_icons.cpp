// The small pictures of the windows' own design: title and wizard icons, the toolbar, the
// throw-both button and two mouse pointers. Drawn on transparent ground.

#include "art/canvas.h"
#include "art/pictures.h"
#include "art/style.h"

#include <cmath>

namespace kroda::art {

namespace {

const QColor kEdge(44, 26, 16);

QPen edgePen(qreal width) {
    return QPen(kEdge, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Everything below is drawn in a 32-unit square and scaled to the icon's size.
using Drawer = void (*)(QPainter&);

QImage icon(int size, Drawer draw) {
    QImage image = clearImage(size, size);
    QPainter p(&image);
    smooth(p);
    p.scale(size / 32.0, size / 32.0);
    draw(p);
    return image;
}

void roundBadge(QPainter& p, QColor colour) {
    QRadialGradient g(QPointF(12, 10), 22);
    g.setColorAt(0, shade(colour, 1.5));
    g.setColorAt(1, shade(colour, 0.85));
    p.setPen(edgePen(1.8));
    p.setBrush(g);
    p.drawEllipse(QPointF(16, 16), 14, 14);
}

void arrow(QPainter& p, bool right, QColor colour) {
    QPainterPath a;
    a.moveTo(4, 12);
    a.lineTo(16, 12);
    a.lineTo(16, 4);
    a.lineTo(29, 16);
    a.lineTo(16, 28);
    a.lineTo(16, 20);
    a.lineTo(4, 20);
    a.closeSubpath();
    if (!right) {
        a = QTransform(-1, 0, 0, 1, 32, 0).map(a);
    }
    p.setPen(edgePen(2));
    p.setBrush(colour);
    p.drawPath(a);
}

void smallDie(QPainter& p, QRectF r, int face) {
    p.setPen(edgePen(1.5));
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(255, 253, 244));
    g.setColorAt(1, QColor(220, 204, 170));
    p.setBrush(g);
    p.drawRoundedRect(r, r.width() * 0.2, r.width() * 0.2);
    const QPointF c = r.center();
    const qreal d = r.width() * 0.26, rad = r.width() * 0.1;
    std::vector<QPointF> pips;
    if (face == 1) {
        pips = {c};
    } else if (face == 3) {
        pips = {c + QPointF(-d, -d), c, c + QPointF(d, d)};
    } else {
        pips = {c + QPointF(-d, -d), c + QPointF(d, -d), c, c + QPointF(-d, d), c + QPointF(d, d)};
    }
    p.setPen(Qt::NoPen);
    p.setBrush(face == 1 ? QColor(206, 24, 30) : QColor(30, 30, 52));
    for (const QPointF& pip : pips) {
        p.drawEllipse(pip, face == 1 ? rad * 1.6 : rad, face == 1 ? rad * 1.6 : rad);
    }
}

void book(QPainter& p) {
    QPainterPath cover;
    cover.addRoundedRect(QRectF(5, 4, 22, 25), 2, 2);
    p.setPen(edgePen(1.8));
    p.setBrush(QColor(200, 50, 40));
    p.drawPath(cover);
    p.setBrush(QColor(255, 250, 236));
    p.drawRect(QRectF(9, 7, 16, 19));
    p.setBrush(QColor(160, 30, 30));
    p.drawRect(QRectF(5, 4, 4, 25));
    p.setPen(QPen(QColor(120, 120, 140), 1.4));
    for (int i = 0; i < 4; ++i) {
        p.drawLine(QPointF(12, 11 + i * 4), QPointF(22, 11 + i * 4));
    }
}

void newGame(QPainter& p) {
    roundBadge(p, QColor(50, 170, 70));
    QPainterPath play;
    play.moveTo(12, 8.5);
    play.lineTo(24.5, 16);
    play.lineTo(12, 23.5);
    play.closeSubpath();
    p.setPen(edgePen(1.4));
    p.setBrush(Qt::white);
    p.drawPath(play);
}

void continueGame(QPainter& p) {
    QPainterPath folder;
    folder.moveTo(3, 8);
    folder.lineTo(12, 8);
    folder.lineTo(15, 11);
    folder.lineTo(29, 11);
    folder.lineTo(29, 27);
    folder.lineTo(3, 27);
    folder.closeSubpath();
    p.setPen(edgePen(1.8));
    p.setBrush(QColor(250, 200, 60));
    p.drawPath(folder);
    p.setBrush(QColor(255, 226, 120));
    p.drawRect(QRectF(3, 14, 26, 13));
    p.save();
    p.translate(9, 10);
    p.scale(0.45, 0.45);
    arrow(p, true, QColor(60, 150, 230));
    p.restore();
}

// Two players side by side on the badge: joining a game played elsewhere.
void joinGame(QPainter& p) {
    roundBadge(p, QColor(230, 130, 30));
    p.setPen(edgePen(1.2));
    p.setBrush(Qt::white);
    for (const qreal x : {11.0, 21.0}) {
        QPainterPath body;
        body.moveTo(x - 5.5, 25);
        body.cubicTo(x - 5.5, 17.5, x + 5.5, 17.5, x + 5.5, 25);
        body.closeSubpath();
        p.drawPath(body);
        p.drawEllipse(QPointF(x, 12.5), 3.4, 3.4);
    }
    // The line between them, as a cable between two machines.
    p.setPen(QPen(QColor(60, 150, 230), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(13.5, 6.5), QPointF(18.5, 6.5));
}

void about(QPainter& p) {
    roundBadge(p, QColor(50, 110, 220));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 9.5), 2.6, 2.6);
    p.drawRoundedRect(QRectF(13.5, 14, 5, 12), 1.5, 1.5);
}

void exitDoor(QPainter& p) {
    p.setPen(edgePen(1.8));
    p.setBrush(QColor(150, 90, 40));
    p.drawRect(QRectF(5, 3, 16, 26));
    p.setBrush(QColor(60, 30, 20));
    p.drawRect(QRectF(8, 6, 10, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(colours::gold);
    p.drawEllipse(QPointF(15.5, 17), 1.6, 1.6);
    p.save();
    p.translate(12, 8);
    p.scale(0.62, 0.62);
    arrow(p, true, QColor(230, 60, 50));
    p.restore();
}

void question(QPainter& p) {
    roundBadge(p, QColor(60, 120, 220));
    drawCentredText(p, QRectF(4, 4, 24, 24), "?", thaiFont("Loma", 24, true), Qt::white);
}

void closeCross(QPainter& p) {
    roundBadge(p, QColor(220, 50, 40));
    p.setPen(QPen(Qt::white, 4.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.5, 10.5), QPointF(21.5, 21.5));
    p.drawLine(QPointF(21.5, 10.5), QPointF(10.5, 21.5));
}

void back(QPainter& p) {
    arrow(p, false, QColor(250, 190, 40));
}

void next(QPainter& p) {
    arrow(p, true, QColor(60, 190, 80));
}

void music(QPainter& p) {
    p.setPen(edgePen(1.8));
    p.setBrush(QColor(150, 70, 200));
    QPainterPath beam;
    beam.moveTo(11, 22);
    beam.lineTo(11, 6);
    beam.lineTo(27, 2);
    beam.lineTo(27, 19);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kEdge, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(beam);
    p.setPen(QPen(QColor(170, 90, 220), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(beam);
    p.setPen(edgePen(1.8));
    p.setBrush(QColor(170, 90, 220));
    p.drawEllipse(QPointF(7, 23.5), 5.5, 4.5);
    p.drawEllipse(QPointF(23, 20.5), 5.5, 4.5);
}

// A diskette: the game kept on a disk.
void save(QPainter& p) {
    QPainterPath body;
    body.moveTo(4, 4);
    body.lineTo(24, 4);
    body.lineTo(28, 8);
    body.lineTo(28, 28);
    body.lineTo(4, 28);
    body.closeSubpath();
    p.setPen(edgePen(1.8));
    p.setBrush(QColor(40, 110, 200));
    p.drawPath(body);
    p.setBrush(QColor(200, 206, 214));
    p.drawRect(QRectF(9, 4, 13, 9));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 110, 200));
    p.drawRect(QRectF(17, 6, 3, 5));
    p.setPen(edgePen(1.4));
    p.setBrush(QColor(255, 250, 236));
    p.drawRect(QRectF(8, 17, 16, 11));
    p.setPen(QPen(QColor(120, 120, 140), 1.4));
    p.drawLine(QPointF(11, 21), QPointF(21, 21));
    p.drawLine(QPointF(11, 24.5), QPointF(21, 24.5));
}

void quit(QPainter& p) {
    roundBadge(p, QColor(220, 50, 40));
    p.setPen(QPen(Qt::white, 3.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(8.5, 8.5, 15, 15), 120 * 16, 300 * 16);
    p.drawLine(QPointF(16, 6.5), QPointF(16, 15.5));
}

// The speed button shows the pace it runs at: a green 1, an amber 2, a red 4.
template <int Speed>
void speed(QPainter& p) {
    const QColor colour = Speed == 1   ? QColor(60, 170, 80)
                          : Speed == 2 ? QColor(236, 150, 30)
                                       : QColor(210, 50, 40);
    roundBadge(p, colour);
    drawCentredText(p, QRectF(3, 2, 26, 26), QString::number(Speed), thaiFont("Loma", 26, true),
                    Qt::white);
}

void throwBoth(QPainter& p) {
    smallDie(p, QRectF(2, 3, 17, 17), 5);
    smallDie(p, QRectF(13, 12, 17, 17), 3);
}

// A pointing hand, the fingertip at the top (the hot spot).
void hand(QPainter& p) {
    QPainterPath h;
    h.moveTo(9, 17);
    h.lineTo(9, 4);
    h.quadTo(9, 1, 11.5, 1);
    h.quadTo(14, 1, 14, 4);
    h.lineTo(14, 12);
    h.quadTo(14, 10.5, 16.5, 10.5);
    h.quadTo(19, 10.5, 19, 13);
    h.quadTo(19, 11.5, 21.5, 11.5);
    h.quadTo(24, 11.5, 24, 14);
    h.quadTo(24, 12.5, 26, 12.5);
    h.quadTo(28.5, 12.5, 28.5, 15.5);
    h.lineTo(28.5, 22);
    h.quadTo(28.5, 29, 22, 30.5);
    h.lineTo(14, 30.5);
    h.quadTo(10, 30.5, 7, 26);
    h.lineTo(3, 19.5);
    h.quadTo(2, 17, 4.5, 16);
    h.quadTo(6.5, 15.5, 9, 19);
    h.closeSubpath();
    p.setPen(QPen(Qt::black, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(h);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(QPointF(14, 12), QPointF(14, 18));
    p.drawLine(QPointF(19, 13), QPointF(19, 18));
    p.drawLine(QPointF(24, 14), QPointF(24, 18));
}

// An open hand seen from the palm: the deed card's title is a handle to drag the card by.
void dragHand(QPainter& p) {
    QPainterPath h;
    h.addRoundedRect(QRectF(8, 13, 16, 15), 6, 6);
    for (int i = 0; i < 4; ++i) {
        h.addRoundedRect(QRectF(8.5 + i * 4, 4 + (i == 0 || i == 3 ? 3 : 0), 3.6, 14), 1.8, 1.8);
    }
    h.addRoundedRect(QRectF(2, 15, 10, 4), 2, 2);
    p.setPen(QPen(Qt::black, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(h.simplified());
}

}  // namespace

std::vector<WindowPicture> windowPictures() {
    loadThaiFonts();
    return {
        {"title/new-game.png", icon(32, newGame)},
        {"title/continue.png", icon(32, continueGame)},
        {"title/about.png", icon(32, about)},
        {"title/manual.png", icon(32, book)},
        {"title/exit.png", icon(32, exitDoor)},
        {"title/join.png", icon(32, joinGame)},
        {"wizard/description.png", icon(16, question)},
        {"wizard/close.png", icon(16, closeCross)},
        {"wizard/back.png", icon(16, back)},
        {"wizard/next.png", icon(16, next)},
        {"toolbar/music.png", icon(16, music)},
        {"toolbar/save.png", icon(16, save)},
        {"toolbar/manual.png", icon(16, book)},
        {"toolbar/quit.png", icon(16, quit)},
        {"toolbar/speed-1.png", icon(16, speed<1>)},
        {"toolbar/speed-2.png", icon(16, speed<2>)},
        {"toolbar/speed-4.png", icon(16, speed<4>)},
        {"dice/throw-both.png", icon(32, throwBoth)},
        {"cursors/hand.png", icon(32, hand)},
        {"cursors/deed-title.png", icon(32, dragHand)},
    };
}

}  // namespace kroda::art
