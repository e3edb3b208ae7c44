#pragma once
// Drawing helpers shared by every picture: blank canvases, painters, grids of cells and text.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include <functional>

namespace kroda::art {

// An opaque true colour canvas filled with one colour.
QImage blankImage(int width, int height, QColor fill);

// A canvas with an alpha channel, fully transparent (for the window icons).
QImage clearImage(int width, int height);

// Turns on antialiasing and smooth scaling, the way every picture is drawn.
void smooth(QPainter& painter);

// Draws cell after cell of a rows x columns grid; each call sees a painter whose origin is the
// cell's top left corner and whose drawing is clipped to the cell.
using CellDrawer = std::function<void(QPainter&, int cell, QSizeF cellSize)>;
void drawCells(QImage& image, int rows, int columns, const CellDrawer& draw);

// Registers the Thai fonts of the system's TLWG collection; ends the program when they are
// missing, since a picture drawn with a fallback font would quietly look wrong.
void loadThaiFonts();

// A font of the TLWG collection by family name ("Loma", "Kinnari", ...) at a pixel size.
QFont thaiFont(const QString& family, qreal pixelSize, bool bold = true);

// The largest pixel size, at most maxPixelSize, at which the text's ink fits the box.
QFont fittedFont(const QString& family, bool bold, const QString& text, QSizeF box,
                 qreal maxPixelSize);

// Text centred on a box by its ink (so Thai marks above and below stay inside), optionally
// with an outline drawn under the fill.
void drawCentredText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
                     QColor fill, QColor outline = Qt::transparent, qreal outlineWidth = 0);

// The same text as a path: crisp outlines for large titles.
QPainterPath textPath(const QString& text, const QFont& font, const QRectF& box);

// Colour helpers.
QColor mix(QColor a, QColor b, qreal t);
QColor shade(QColor c, qreal factor);  // < 1 darker, > 1 lighter

// A rounded rectangle filled with a vertical gradient from top to bottom colour.
void gradientRoundRect(QPainter& painter, const QRectF& r, qreal radius, QColor top, QColor bottom,
                       QColor border = Qt::transparent, qreal borderWidth = 1);

}  // namespace kroda::art
