#pragma once
// Thai ornaments: the four-petal flower and flame borders that frame the windows.

#include <QColor>
#include <QPainter>
#include <QRectF>

namespace kroda::art {

// The four-petal flower (ประจำยาม) centred on c.
void petalFlower(QPainter& p, QPointF c, qreal radius, QColor petals, QColor heart);
// A band of flame-like points along a horizontal strip.
void flameBand(QPainter& p, const QRectF& strip, QColor fill, QColor ground, bool pointingUp);
// A frame of flowers on a band around r (band of the given width inside r).
void flowerFrame(QPainter& p, const QRectF& r, qreal width, QColor ground, QColor petals,
                 QColor heart);
// A plate: a rounded panel with a golden edge, for areas the windows draw on.
void plate(QPainter& p, const QRectF& r, QColor fill, qreal radius = 6);
// A warm textured ground: a gradient with a faint diagonal lattice of small flowers.
void patternedGround(QPainter& p, const QRectF& r, QColor top, QColor bottom, QColor pattern);

}  // namespace kroda::art
