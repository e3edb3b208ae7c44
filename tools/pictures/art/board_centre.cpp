// The centre of the board: the game's name, the places of the two card piles, and calm ground
// where the window lays the dice pad, the key captions, the toolbar and its hint text.

#include "art/canvas.h"
#include "art/motifs.h"
#include "art/pictures.h"
#include "art/style.h"

namespace kroda::art {

namespace {

// Window positions of what the game window draws on the centre, less the centre's own
// position (56, 56).
const QRectF kTreasurePile(8, 8, 121, 73);
const QRectF kFortunePile(160, 208, 121, 73);
const QRectF kHint(8, 224, 137, 17);
// Five buttons: speed, music, manual, quit and save.
const QRectF kToolbar(8, 256, 136, 16);

void pileBed(QPainter& p, const QRectF& pile, QColor colour, const QString& caption,
             bool captionBelow) {
    // Two cards peeking out below and to the right make the shape read as a pile.
    for (int layer = 2; layer >= 1; --layer) {
        const QRectF card = pile.translated(layer * 2.5, layer * 2.5);
        p.setPen(QPen(shade(colour, 0.5), 1));
        p.setBrush(shade(colour, 0.95 - layer * 0.1));
        p.drawRoundedRect(card, 3, 3);
    }
    p.setPen(QPen(shade(colour, 0.45), 1.5));
    p.setBrush(colour);
    p.drawRect(pile);
    const QRectF text = captionBelow ? QRectF(pile.left(), pile.bottom() + 5, pile.width() + 5, 17)
                                     : QRectF(pile.left(), pile.top() - 22, pile.width() + 5, 17);
    const QFont font = fittedFont("Loma", true, caption, text.size() - QSizeF(4, 0), 14);
    drawCentredText(p, text, caption, font, colours::ink);
}

}  // namespace

QImage boardCentre() {
    QImage image = blankImage(288, 288, colours::cream);
    QPainter p(&image);
    smooth(p);
    patternedGround(p, QRectF(0, 0, 288, 288), QColor(252, 244, 220), QColor(244, 228, 190),
                    QColor(238, 220, 178));
    // A fine golden frame just inside the edge blocks.
    p.setPen(QPen(colours::gold, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(3, 3, 282, 282));
    p.setPen(QPen(shade(colours::gold, 0.6), 1));
    p.drawRect(QRectF(5.5, 5.5, 277, 277));
    for (const QPointF& c :
         {QPointF(5.5, 5.5), QPointF(282.5, 5.5), QPointF(5.5, 282.5), QPointF(282.5, 282.5)}) {
        petalFlower(p, c, 6, colours::temple, colours::gold);
    }

    pileBed(p, kTreasurePile, colours::treasure, QStringLiteral("บัตรทรัพย์สมบัติ"), true);
    pileBed(p, kFortunePile, colours::fortune, QStringLiteral("บัตรโชคชะตา"), false);

    // The game's name in the free corner: "เกม" over a large golden "Kroda".
    const QRectF nameBox(140, 14, 140, 80);
    const QFont thai = thaiFont("Kinnari", 26, true);
    drawCentredText(p, QRectF(150, 12, 120, 28), QStringLiteral("เกม"), thai, colours::temple,
                    Qt::white, 1.5);
    const QPainterPath kroda = textPath("Kroda", thaiFont("Kinnari", 48, true),
                                        QRectF(nameBox.left(), 40, nameBox.width(), 50));
    p.setPen(QPen(colours::darkTeak, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(kroda);
    QLinearGradient gold(0, 44, 0, 88);
    gold.setColorAt(0, QColor(255, 240, 150));
    gold.setColorAt(0.5, colours::gold);
    gold.setColorAt(1, QColor(190, 120, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    p.drawPath(kroda);
    p.setPen(QPen(colours::temple, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(160, 96), QPointF(262, 96));
    petalFlower(p, QPointF(211, 96), 5, colours::temple, colours::gold);

    // Small flowers on the free left and right margins of the pad.
    for (int i = 0; i < 3; ++i) {
        petalFlower(p, QPointF(28, 126 + i * 30), 7, QColor(236, 150, 60), colours::temple);
        petalFlower(p, QPointF(260, 120 + i * 28), 7, QColor(236, 150, 60), colours::temple);
    }

    // Quiet plates under the hint text and the toolbar.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 252, 238));
    p.drawRoundedRect(kHint.adjusted(-3, -2, 3, 2), 4, 4);
    p.setBrush(QColor(232, 206, 150));
    p.setPen(QPen(shade(colours::gold, 0.7), 1));
    p.drawRoundedRect(kToolbar.adjusted(-6, -5, 6, 5), 6, 6);
    return image;
}

}  // namespace kroda::art
