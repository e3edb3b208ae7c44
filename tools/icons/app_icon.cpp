#include "app_icon.h"

#include "art/canvas.h"
#include "art/style.h"

#include <array>
#include <vector>

namespace kroda::icons {

namespace {

using namespace kroda::art;

// The board's ring: nine squares a side, the corners larger, as on the game window.
void boardRing(QPainter& p) {
    gradientRoundRect(p, QRectF(1, 1, 30, 30), 4.5, shade(colours::teak, 1.15), colours::darkTeak,
                      colours::gold, 1.2);
    const QRectF board(3.5, 3.5, 25, 25);
    p.setPen(QPen(colours::line, 0.5));
    p.setBrush(colours::edge);
    p.drawRect(board);
    const std::array<QColor, 4> bands{groups::red, groups::green, groups::darkBlue, groups::yellow};
    const qreal corner = 4.5, side = (board.width() - 2 * corner) / 5;
    for (int edge = 0; edge < 4; ++edge) {
        p.save();
        p.translate(board.center());
        p.rotate(90 * edge);
        p.translate(-board.center());
        for (int i = 0; i < 5; ++i) {
            const QRectF square(board.left() + corner + i * side, board.top(), side, corner);
            p.setBrush(colours::edge);
            p.drawRect(square);
            p.setBrush(bands[edge]);
            p.drawRect(QRectF(square.left(), square.bottom() - 1.3, side, 1.3));
        }
        p.restore();
    }
    p.setBrush(colours::cream);
    p.drawRect(board.adjusted(corner, corner, -corner, -corner));
}

void die(QPainter& p, QPointF centre, qreal width, qreal angle, int face) {
    p.save();
    p.translate(centre);
    p.rotate(angle);
    const QRectF r(-width / 2, -width / 2, width, width);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(r.translated(0.8, 1.0), width * 0.2, width * 0.2);
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(255, 253, 244));
    g.setColorAt(1, QColor(220, 204, 170));
    p.setPen(QPen(colours::ink, 0.9));
    p.setBrush(g);
    p.drawRoundedRect(r, width * 0.2, width * 0.2);
    const qreal d = width * 0.26;
    std::vector<QPointF> pips;
    if (face == 1) {
        pips = {QPointF(0, 0)};
    } else {
        pips = {QPointF(-d, -d), QPointF(d, -d), QPointF(-d, d), QPointF(d, d)};
        if (face == 5)
            pips.push_back(QPointF(0, 0));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(face == 1 ? colours::temple : colours::ink);
    const qreal radius = width * (face == 1 ? 0.16 : 0.1);
    for (const QPointF& pip : pips) p.drawEllipse(pip, radius, radius);
    p.restore();
}

}  // namespace

QImage applicationIcon(int size) {
    QImage image = clearImage(size, size);
    QPainter p(&image);
    smooth(p);
    p.scale(size / 32.0, size / 32.0);
    boardRing(p);
    die(p, QPointF(12.5, 13.5), 9.5, -14, 5);
    die(p, QPointF(19.5, 19.5), 9.5, 11, 1);
    return image;
}

}  // namespace kroda::icons
