#include "art/canvas.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontMetricsF>

#include <cstdio>
#include <cstdlib>

namespace kroda::art {

QImage blankImage(int width, int height, QColor fill) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QImage clearImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void smooth(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
}

void drawCells(QImage& image, int rows, int columns, const CellDrawer& draw) {
    const int w = image.width() / columns;
    const int h = image.height() / rows;
    QPainter painter(&image);
    smooth(painter);
    for (int cell = 0; cell < rows * columns; ++cell) {
        painter.save();
        painter.translate((cell % columns) * w, (cell / columns) * h);
        painter.setClipRect(0, 0, w, h);
        draw(painter, cell, QSizeF(w, h));
        painter.restore();
    }
}

void loadThaiFonts() {
    static bool loaded = false;
    if (loaded) {
        return;
    }
    const QDir dir(QStringLiteral("/usr/share/fonts/truetype/tlwg"));
    const QStringList files = dir.entryList({QStringLiteral("*.ttf")}, QDir::Files, QDir::Name);
    int added = 0;
    for (const QString& file : files) {
        if (QFontDatabase::addApplicationFont(dir.filePath(file)) >= 0) {
            ++added;
        }
    }
    for (const char* family : {"Loma", "Garuda", "Kinnari", "Sawasdee", "Waree", "Purisa"}) {
        if (!QFontDatabase::families().contains(QString::fromLatin1(family))) {
            std::fprintf(stderr,
                         "kroda-pictures: the Thai font \"%s\" is missing from %s "
                         "(Debian package fonts-thai-tlwg)\n",
                         family, qPrintable(dir.path()));
            std::exit(2);
        }
    }
    (void)added;
    loaded = true;
}

QFont thaiFont(const QString& family, qreal pixelSize, bool bold) {
    QFont font(family);
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QPainterPath textPath(const QString& text, const QFont& font, const QRectF& box) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF ink = path.boundingRect();
    path.translate(box.center() - ink.center());
    return path;
}

QFont fittedFont(const QString& family, bool bold, const QString& text, QSizeF box,
                 qreal maxPixelSize) {
    for (int size = qRound(maxPixelSize); size > 5; --size) {
        QFont font = thaiFont(family, size, bold);
        QPainterPath path;
        path.addText(0, 0, font, text);
        const QRectF ink = path.boundingRect();
        if (ink.width() <= box.width() && ink.height() <= box.height()) {
            return font;
        }
    }
    return thaiFont(family, 6, bold);
}

void drawCentredText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
                     QColor fill, QColor outline, qreal outlineWidth) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF ink = path.boundingRect();
    const QPointF origin = box.center() - ink.center();
    painter.save();
    if (outline.alpha() > 0 && outlineWidth > 0) {
        QPainterPath outlined = path.translated(origin);
        painter.setPen(QPen(outline, outlineWidth * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(outlined);
    }
    painter.setFont(font);
    painter.setPen(fill);
    painter.drawText(origin, text);
    painter.restore();
}

QColor mix(QColor a, QColor b, qreal t) {
    return QColor::fromRgbF(
        a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
        a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

QColor shade(QColor c, qreal factor) {
    if (factor < 1) {
        return mix(c, QColor(0, 0, 0, c.alpha()), 1 - factor);
    }
    return mix(c, QColor(255, 255, 255, c.alpha()), qMin<qreal>(1, factor - 1));
}

void gradientRoundRect(QPainter& painter, const QRectF& r, qreal radius, QColor top, QColor bottom,
                       QColor border, qreal borderWidth) {
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    painter.save();
    painter.setBrush(gradient);
    if (border.alpha() > 0) {
        painter.setPen(QPen(border, borderWidth));
    } else {
        painter.setPen(Qt::NoPen);
    }
    painter.drawRoundedRect(r, radius, radius);
    painter.restore();
}

}  // namespace kroda::art
