#pragma once
// Reads a board: the configuration file "KovarT.dat" (windows-874 text, item by item), the
// two card files of 260-byte records and the headers of the board's BMP pictures.
// Nothing is written. A board with any error is not used at all.

#include "model/game_state.h"

#include <QString>

#include <array>
#include <optional>
#include <stdexcept>
#include <vector>

namespace kroda {

struct BoardProblem {
    bool warning = false;
    QString file;     // the file the problem is in
    int line = 0;     // 1-based line of a text file, 0 when none applies
    QString where;    // the item, square or record: "item 9 (kind of square index 0 \"...\")"
    QString message;  // what was expected or found

    // FILE[:LINE]: [warning: ][WHERE: ]MESSAGE, for instance
    // KovarT.dat:11: item 48 (kind of square index 3 "..."): expected a whole number, found "x"
    QString text() const;
};

// Which cell of which holder a square's board picture is.
struct BoardPicture {
    Integer Holder = 0;
    Integer Cell = 0;
};

struct LoadedBoard {
    bool markOk = true;  // the first item was exactly "KOVART"
    QString mark;        // the first item as read
    GameConfig Config;   // the items as written in the file (trimmed fields)
    Deck Deck1;
    Deck Deck2;  // 21 cards with the built-in bankrupt card
    Bounded<Square, 1, kSquareCount> Squares;
    std::array<BoardPicture, kSquareCount> Pictures;
    // The card files as found on disk.
    QString Deck1Path;
    QString Deck2Path;
    // The three square-picture files as found on disk, for holders 9, 10 and 11.
    QString CornerPicturePath;
    QString SidePicturePath;
    QString IllustrationPicturePath;
};

struct BoardReadResult {
    std::optional<LoadedBoard> board;    // set only when there is no error
    std::vector<BoardProblem> problems;  // errors and warnings, in file order

    bool hasErrors() const;
    // Every error, one a line.
    QString errorText() const;
};

struct BoardLocation {
    QString configPath;   // the configuration file
    QString appFolder;    // where relative card-file names are found
    QString imageFolder;  // where the square-picture files are found
};

// Reads the configuration file, both card files and the headers of every board picture,
// collecting every problem. Relative card-file names are found in appFolder and picture
// names in imageFolder, matching letter case loosely (model/board_paths.h).
BoardReadResult readBoard(const BoardLocation& where, bool bankruptCardOn);

// A board that cannot be played: the game reports the text and ends with a failure status.
class BoardLoadError : public std::runtime_error {
  public:
    explicit BoardLoadError(const QString& text)
        : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

  private:
    QString text_;
};

}  // namespace kroda
