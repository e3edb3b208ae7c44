#pragma once
// Small scenery pieces the square illustrations are built from, all in a 96 x 96 space.

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>

namespace kroda::art {

inline constexpr qreal kPlace = 96;  // illustrations are drawn in a 96-unit square

QPen outline(qreal width = 1.6);
void skyFill(QPainter& p, QColor top, QColor bottom, qreal height = kPlace);
void sun(QPainter& p, QPointF centre, qreal radius, QColor colour = QColor(255, 214, 60));
void cloud(QPainter& p, QPointF centre, qreal size);
void seaFill(QPainter& p, qreal top, QColor colour, qreal bottom = kPlace);
void ground(QPainter& p, qreal top, QColor colour);
void palm(QPainter& p, QPointF base, qreal height, qreal lean);
void hills(QPainter& p, qreal baseline, QColor colour, int count, qreal height);
// A filled path with the common dark outline.
void shape(QPainter& p, const QPainterPath& path, QColor fill, qreal width = 1.6);
void box(QPainter& p, const QRectF& r, QColor fill, qreal width = 1.4);
// A round backdrop for symbols (cards, rules).
void symbolBackdrop(QPainter& p, QColor inner, QColor outer);
// A tiered Thai roof (gable with finials) over the span left..right, eaves at y.
void thaiRoof(QPainter& p, qreal left, qreal right, qreal eaves, qreal height, QColor roof,
              QColor trim);
// A simple multi-storey building with rows of windows.
void building(QPainter& p, const QRectF& r, QColor wall, QColor window, int rows, int columns);
void longtailBoat(QPainter& p, QPointF at, qreal scale, QColor hull);

}  // namespace kroda::art
