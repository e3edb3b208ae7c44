// A deed card's row keeps its text clear of its amount: the panel's font gets smaller only
// when some row would not fit on its line, and only as far as it must.
#include "widgets/panel_rows.h"
#include "deedcard/deed_card.h"
#include "widgets/fonts.h"

#include <QFontMetricsF>

#include <gtest/gtest.h>

namespace kroda::widgets {
namespace {

constexpr int kSpan = 210;  // from the texts' left edge to the amounts' right edge

QList<PanelRow> hotelRows(const QString& amount) {
    const DeedCardWindow card;
    QList<PanelRow> rows;
    for (const Label& text : card.LblHotel) rows.append({text.Caption, amount});
    return rows;
}

bool everyRowFits(const QFont& font, const QList<PanelRow>& rows) {
    const QFontMetricsF m(font);
    for (const PanelRow& r : rows)
        if (m.horizontalAdvance(r.Text) + kPanelRowGap + m.horizontalAdvance(r.Value) > kSpan)
            return false;
    return true;
}

TEST(PanelRows, ShortRowsKeepTheLabelFont) {
    const QFont base = labelFont();
    const QFont font = panelRowFont(base, hotelRows(QStringLiteral("฿900.00")), kSpan);
    EXPECT_EQ(font.pixelSize(), base.pixelSize());
}

TEST(PanelRows, FiveFigureHotelRentsShrinkTheFontJustEnough) {
    const QFont base = labelFont();
    const QList<PanelRow> rows = hotelRows(QStringLiteral("฿16,800.00"));
    ASSERT_FALSE(everyRowFits(base, rows)) << "the case no longer needs a smaller font";
    const QFont font = panelRowFont(base, rows, kSpan);
    EXPECT_TRUE(everyRowFits(font, rows));
    EXPECT_LT(font.pixelSize(), base.pixelSize());
    QFont oneLarger = font;
    oneLarger.setPixelSize(font.pixelSize() + 1);
    EXPECT_FALSE(everyRowFits(oneLarger, rows));
}

TEST(PanelRows, AnAmountThatNeverFitsStopsAtAReadableSize) {
    const QFont font = panelRowFont(
        labelFont(), hotelRows(QStringLiteral("฿9,223,372,036,854,775,807.00")), kSpan);
    EXPECT_GE(font.pixelSize(), 9);
}

}  // namespace
}  // namespace kroda::widgets
