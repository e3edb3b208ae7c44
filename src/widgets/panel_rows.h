#pragma once
// The rows of a deed card's panel: a fixed text on the left and an amount on the right, on
// one line each. Long Thai texts and five-figure amounts in the locale's currency format do
// not always fit side by side in the label font.

#include <QFont>
#include <QList>
#include <QString>

namespace kroda::widgets {

struct PanelRow {
    QString Text;
    QString Value;
};

// The gap kept between a row's text and its amount, in pixels.
inline constexpr int kPanelRowGap = 6;

// BASE, or the largest smaller pixel size of it (down to a floor that stays readable) in which
// every row's text, the gap and its amount fit in WIDTH pixels.
QFont panelRowFont(const QFont& base, const QList<PanelRow>& rows, int width);

}  // namespace kroda::widgets
