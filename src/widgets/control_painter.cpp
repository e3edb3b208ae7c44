#include "widgets/control_painter.h"

#include <QFontMetricsF>
#include <QImage>

namespace kroda::widgets {

namespace {

bool holdsLineBreaks(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return true;
    return false;
}

}  // namespace

void drawCaption(QPainter& painter, const QRect& r, Qt::Alignment align, const QString& text) {
    // Breaking Thai text into lines needs a dictionary whose loading costs as much as the
    // rest of the first frame, so a caption that fits on one line is set without it, at the
    // place the line would have had.
    const QFontMetricsF metrics(painter.font());
    const qreal width = metrics.horizontalAdvance(text);
    if (width > r.width() || metrics.height() > r.height() || holdsLineBreaks(text)) {
        painter.drawText(r, static_cast<int>(align) | Qt::TextWordWrap, text);
        return;
    }
    qreal x = r.left();
    if (align & Qt::AlignHCenter)
        x += (r.width() - width) / 2;
    else if (align & Qt::AlignRight)
        x += r.width() - width;
    qreal top = r.top();
    if (align & Qt::AlignVCenter)
        top += (r.height() - metrics.height()) / 2;
    else if (align & Qt::AlignBottom)
        top += r.height() - metrics.height();
    painter.drawText(QPointF(x, top + metrics.ascent()), text);
}

QRect toQRect(const Rect& r) {
    return {r.Left, r.Top, r.Width, r.Height};
}

ControlPainter::ControlPainter(QPainter& painter, PictureCache& pictures,
                               const SourceWindow& source)
    : painter_(painter), pictures_(pictures), source_(source) {}

QColor ControlPainter::color(Long bgr) {
    const auto v = static_cast<std::uint32_t>(bgr);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

void ControlPainter::background(const QString& file, QSize size, QColor fill) {
    painter_.fillRect(QRect(QPoint(0, 0), size), fill);
    const QImage& picture = pictures_.picture(file);
    if (!picture.isNull())
        painter_.drawImage(QPoint(0, 0), picture);
}

void ControlPainter::paint(const Image& image, const QString& design) {
    if (!image.Visible)
        return;
    const QRect target = toQRect(image.Geometry);
    if (image.Strip >= 0 && image.Strip < static_cast<int>(source_.PicCSource.size())) {
        const PictureHolder& holder = source_.PicCSource[static_cast<std::size_t>(image.Strip)];
        if (const QImage* held = pictures_.heldCell(holder, image.Cell)) {
            if (!held->isNull())
                painter_.drawImage(target.topLeft(), *held,
                                   QRect(QPoint(0, 0), held->size().boundedTo(target.size())));
            return;
        }
        const QRect cell = pictures_.cellRect(holder, image.Cell);
        // A picture shows at its own size from the control's corner, cut to the control.
        if (!cell.isEmpty())
            painter_.drawImage(target.topLeft(), pictures_.picture(holder.File),
                               QRect(cell.topLeft(), cell.size().boundedTo(target.size())));
        return;
    }
    const QString& file = image.File.isEmpty() ? design : image.File;
    const QImage& picture = pictures_.picture(file);
    if (!picture.isNull())
        painter_.drawImage(target.topLeft(), picture,
                           QRect(QPoint(0, 0), picture.size().boundedTo(target.size())));
}

void ControlPainter::paint(const Label& label, const QFont& font, bool opaque,
                           Qt::Alignment align) {
    if (!label.Visible)
        return;
    const QRect r = toQRect(label.Geometry);
    if (opaque)
        painter_.fillRect(r, color(label.BackColor));
    painter_.setFont(font);
    painter_.setPen(color(label.ForeColor));
    // drawText with a QString is plain text: a caption is never read as markup.
    drawCaption(painter_, r, align, label.Caption);
}

void ControlPainter::paint(const TextBox& box, const QFont& font, bool frame) {
    if (!box.Visible)
        return;
    const QRect r = toQRect(box.Geometry);
    painter_.fillRect(r, color(box.BackColor));
    if (frame) {
        painter_.setPen(QColor(128, 128, 128));
        painter_.drawRect(r.adjusted(0, 0, -1, -1));
    }
    painter_.setFont(font);
    painter_.setPen(color(box.ForeColor));
    painter_.drawText(r.adjusted(4, 2, -3, -2), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                      box.Text);
}

void ControlPainter::paint(const Shape& shape) {
    if (!shape.Visible)
        return;
    const QRect r = toQRect(shape.Geometry);
    const QColor c = color(shape.FillColor);
    if (shape.Filled)
        painter_.fillRect(r, c);
    painter_.setPen(shape.Filled ? QColor(Qt::black) : c);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(r.adjusted(0, 0, -1, -1));
}

void ControlPainter::render(QPaintDevice& device, QSize logical, int scale,
                            const std::function<void(QPainter&)>& paint, QPoint origin) {
    if (scale <= 1) {
        QPainter p(&device);
        p.translate(origin);
        paint(p);
        return;
    }
    QImage canvas(logical, QImage::Format_RGB32);
    {
        QPainter p(&canvas);
        paint(p);
    }
    QPainter out(&device);
    out.setRenderHint(QPainter::SmoothPixmapTransform, false);
    out.drawImage(QRect(origin, logical * scale), canvas);
}

}  // namespace kroda::widgets
