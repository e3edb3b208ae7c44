#pragma once
// Fills a manual page with a board's own figures, so that the manual always tells the
// amounts of the board it comes with. The page is a template with placeholders:
//
//   {{price N}} {{house N}} {{hotel N}} {{rent N K}}   amounts of square index N (K 1..6)
//   {{cards treasure|fortune pay|receive min|max}}       the smallest or largest amount
//   {{cards treasure|fortune pay|receive|lose-all count}} how many such cards the deck holds
//   {{square-rows}}   one table row per square: index, name, kind, amount
//   {{land-rows}}     one table row per plot of land: index, name, price, costs, six rents
//
// Amounts are whole numbers with thousands grouped ("2,000"); names are escaped as text.

#include "board/board_source.h"

#include <QString>
#include <QStringList>

namespace kroda {

struct ManualFillResult {
    QString page;
    QStringList errors;  // "TEMPLATE:LINE: ..." for a placeholder that names nothing
};

ManualFillResult fillManual(const BoardSource& board, const QString& page,
                            const QString& templateName);

}  // namespace kroda
