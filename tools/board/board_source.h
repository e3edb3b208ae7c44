#pragma once
// The board source: the text form in which authors write a board, compiled by kroda-board
// into KovarT.dat and the two card files.
//
//   # a comment line; blank lines are skipped
//   mark "KOVART"
//   corners "Corners.bmp"            (also sides, illustrations)
//   treasure-file "Treasure.crd"     (also fortune-file)
//   spare ""
//   square INDEX "NAME" KIND PRICE HOUSE HOTEL RENT1 ... RENT6 corner|side CELL
//   treasure ACTION AMOUNT "TEXT"    (20 lines, the first deck in order)
//   fortune ACTION AMOUNT "TEXT"     (20 lines, the second deck in order)
//
// Fields are separated by blanks; texts stand in double quotes, a quote inside a text is
// written twice (only card texts may hold one). KIND is a name (Start, Land, ...) or 0..9;
// ACTION is pay, receive, lose-all or a 16-bit number.

#include "model/value_types.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace kroda {

struct SourceSquare {
    QString name;
    Integer kind = 0;
    Currency price;
    Currency houseCost;
    Currency hotelCost;
    std::array<Currency, 6> rents{};
    Integer holder = 0;
    Integer cell = 0;
    int line = 0;  // where it was written; not part of the board
};

struct SourceCard {
    Integer action = 0;
    Integer amount = 0;
    QString text;
    int line = 0;
};

struct BoardSource {
    QString mark;
    QString corners;
    QString sides;
    QString illustrations;
    QString treasureFile;
    QString fortuneFile;
    QString spare;
    std::vector<SourceSquare> squares;
    std::vector<SourceCard> treasure;
    std::vector<SourceCard> fortune;
};

// Same board, whatever lines the values came from.
bool sameBoard(const BoardSource& a, const BoardSource& b);

struct SourceParseResult {
    std::optional<BoardSource> source;  // only when there is no error
    QStringList errors;                 // "FILE:LINE: message"
};

// fileName only names the source in messages.
SourceParseResult parseBoardSource(const QByteArray& utf8, const QString& fileName);

// The names of kinds and actions in the source, or empty for a code without a name.
QString kindName(int kind);
QString actionName(int action);

}  // namespace kroda
