#include "widgets/panel_rows.h"

#include <QFontMetricsF>

namespace kroda::widgets {

namespace {
constexpr int kSmallestPixels = 9;

bool fits(const QFont& font, const QList<PanelRow>& rows, int width) {
    const QFontMetricsF metrics(font);
    for (const PanelRow& row : rows)
        if (metrics.horizontalAdvance(row.Text) + kPanelRowGap +
                metrics.horizontalAdvance(row.Value) >
            width)
            return false;
    return true;
}
}  // namespace

QFont panelRowFont(const QFont& base, const QList<PanelRow>& rows, int width) {
    QFont font = base;
    for (int pixels = base.pixelSize(); pixels > kSmallestPixels && !fits(font, rows, width);)
        font.setPixelSize(--pixels);
    return font;
}

}  // namespace kroda::widgets
