#pragma once
// The one painter of every window's controls: pictures (a holder's cell or a whole file),
// labels, text boxes and shapes, drawn exactly as the controls data describes them. Windows
// paint in their designed pixels; render() enlarges the result by a whole factor.

#include "screen/controls.h"
#include "widgets/picture_cache.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QSize>

#include <functional>

namespace kroda::widgets {

// Plain text in a rectangle, aligned and wrapped at words as drawText does it.
void drawCaption(QPainter& painter, const QRect& r, Qt::Alignment align, const QString& text);

class ControlPainter {
  public:
    ControlPainter(QPainter& painter, PictureCache& pictures, const SourceWindow& source);

    // A stored colour (0x00BBGGRR, red in the low byte) as a Qt colour.
    static QColor color(Long bgr);

    // Fills the window with a background picture from its top-left corner.
    void background(const QString& file, QSize size, QColor fill = Qt::black);
    // A picture: the cell of its holder, or its whole file. `design` is shown instead when
    // the control names neither (the windows' own small pictures).
    void paint(const Image& image, const QString& design = {});
    // A label's caption as plain text. Opaque labels fill their rectangle first.
    void paint(const Label& label, const QFont& font, bool opaque = false,
               Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
    // A text box: its colours, a thin frame and its text wrapped as plain text.
    void paint(const TextBox& box, const QFont& font, bool frame = true);
    void paint(const Shape& shape);

    QPainter& painter() { return painter_; }

    // Paints `paint` in `logical` pixels on `device`, enlarged `scale` times pixel for pixel,
    // with its top left corner at `origin`.
    static void render(QPaintDevice& device, QSize logical, int scale,
                       const std::function<void(QPainter&)>& paint, QPoint origin = {});

  private:
    QPainter& painter_;
    PictureCache& pictures_;
    const SourceWindow& source_;
};

QRect toQRect(const Rect& r);

}  // namespace kroda::widgets
