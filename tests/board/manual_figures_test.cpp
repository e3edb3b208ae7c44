#include "board/manual_figures.h"
#include "model/game_state.h"

#include <gtest/gtest.h>

namespace kroda {
namespace {

BoardSource twoSquareBoard() {
    BoardSource b;
    SourceSquare start;
    start.name = QStringLiteral("จุดเริ่มต้น");
    start.kind = Start;
    start.price = Currency::fromUnits(1500);
    SourceSquare land;
    land.name = QStringLiteral("ถนน <สาย> & ซอย");
    land.kind = Land;
    land.price = Currency::fromUnits(12345);
    land.houseCost = Currency::fromRaw(25000);  // 2.5
    for (int k = 0; k < 6; ++k)
        land.rents[static_cast<std::size_t>(k)] = Currency::fromUnits(100 * (k + 1));
    b.squares = {start, land};
    b.treasure = {{1, 300, {}, 0}, {0, 50, {}, 0}, {1, 2500, {}, 0}};
    b.fortune = {{10, 0, {}, 0}, {0, 800, {}, 0}, {10, 0, {}, 0}};
    return b;
}

// A page's placeholders become the board's figures, grouped by thousands and with decimals
// only where there are some; card ranges and counts come from the decks.
TEST(ManualFigures, AmountsAndCards) {
    const ManualFillResult r = fillManual(
        twoSquareBoard(),
        QStringLiteral(
            "start {{price 0}}, plot {{ price 1 }}, house {{house 1}}, rent {{rent 1 6}}; "
            "{{cards treasure receive min}}-{{cards treasure receive max}} "
            "{{cards treasure pay max}} {{cards fortune lose-all count}}"),
        QStringLiteral("page.htm"));
    EXPECT_TRUE(r.errors.isEmpty()) << r.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(r.page,
              QStringLiteral("start 1,500, plot 12,345, house 2.5, rent 600; 300-2,500 50 2"));
}

// The tables list every square, and every plot of land with its six rents; names from the
// board are written as text, never as markup.
TEST(ManualFigures, TablesEscapeNames) {
    const ManualFillResult r =
        fillManual(twoSquareBoard(), QStringLiteral("{{square-rows}}|{{land-rows}}"), {});
    ASSERT_TRUE(r.errors.isEmpty());
    const QStringList parts = r.page.split(QLatin1Char('|'));
    EXPECT_EQ(parts[0].count(QStringLiteral("<tr>")), 2);
    EXPECT_TRUE(parts[0].contains(QStringLiteral("ได้รับ 1,500")));
    EXPECT_EQ(parts[1].count(QStringLiteral("<tr>")), 1);
    EXPECT_TRUE(parts[1].contains(QStringLiteral("ถนน &lt;สาย&gt; &amp; ซอย")));
    EXPECT_TRUE(parts[1].contains(QStringLiteral("<td class=\"num\">600</td></tr>")));
}

// A placeholder that names nothing on the board is an error naming the page and its line,
// so a manual never goes out with a hole in it.
TEST(ManualFigures, UnknownPlaceholdersAreErrors) {
    const ManualFillResult r = fillManual(
        twoSquareBoard(),
        QStringLiteral(
            "ok {{price 0}}\n{{price 2}}\n{{rent 1 7}} {{cards fortune receive max}} {{what}}"),
        QStringLiteral("page.htm"));
    ASSERT_EQ(r.errors.size(), 4);
    EXPECT_EQ(
        r.errors[0],
        QStringLiteral("page.htm:2: the placeholder {{price 2}} names nothing on this board"));
    EXPECT_TRUE(r.errors[1].startsWith(QStringLiteral("page.htm:3:")));
}

}  // namespace
}  // namespace kroda
