#include "model/board_reader.h"

#include "model/bmp_header.h"
#include "model/board_paths.h"
#include "model/card_file.h"
#include "model/item_reader.h"
#include "model/message_text.h"
#include "model/picture_grids.h"
#include "model/regular_file.h"
#include "model/windows874.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace kroda {

QString BoardProblem::text() const {
    QString out = file;
    if (line > 0)
        out += QLatin1Char(':') + QString::number(line);
    out += QStringLiteral(": ");
    if (warning)
        out += QStringLiteral("warning: ");
    if (!where.isEmpty())
        out += where + QStringLiteral(": ");
    // Whole, on one line, whatever bytes the board's texts and names hold.
    return escapeControls(out + message);
}

bool BoardReadResult::hasErrors() const {
    return !board || std::any_of(problems.begin(), problems.end(),
                                 [](const BoardProblem& p) { return !p.warning; });
}

QString BoardReadResult::errorText() const {
    QStringList lines;
    for (const BoardProblem& p : problems) {
        if (!p.warning)
            lines << p.text();
    }
    return lines.join(QLatin1Char('\n'));
}

namespace {

constexpr int kConfigItems = 7;
constexpr int kSquareItems = 13;

const char* const kConfigItemNames[kConfigItems] = {
    "file mark",
    "picture file of the corner squares",
    "picture file of the side squares",
    "picture file of the square illustrations",
    "card file 1",
    "card file 2",
    "spare item",
};

QString quoted(const QString& s) {
    return QLatin1Char('"') + s + QLatin1Char('"');
}

class Reading {
  public:
    explicit Reading(const BoardLocation& where) : where_(where), configFile_(where.configPath) {
        // A board copied from a case-blind disk may spell its configuration file otherwise.
        if (!holdsControlCharacter(configFile_) && !QFileInfo::exists(configFile_)) {
            const QFileInfo info(configFile_);
            const ResolvedPath found = resolveBoardPath(info.path(), info.fileName());
            if (found.ok())
                configFile_ = found.path;
        }
    }

    BoardReadResult run(bool bankruptCardOn);

  private:
    void error(QString file, int line, QString at, QString message) {
        push({false, std::move(file), line, std::move(at), std::move(message)});
    }
    void warn(QString file, int line, QString at, QString message) {
        push({true, std::move(file), line, std::move(at), std::move(message)});
    }
    void push(BoardProblem p) {
        (p.file == configFile_ ? configProblems_ : fileProblems_).push_back(std::move(p));
    }

    bool readConfigItems();
    bool readSquares();
    struct SquareField;
    static const SquareField kSquareFields[kSquareItems - 1];
    void storeKind(int square, Integer v, int line, const QString& at);
    void storePictureHolder(int square, Integer v, int line, const QString& at);
    void storePictureCell(int square, Integer v, int line, const QString& at);
    std::optional<Integer> readInteger(const QString& at, int& line);
    std::optional<Currency> readMoney(const QString& at, int& line);
    std::optional<ConfigItem> nextNumber(const QString& at);
    void ended(const QString& at) {
        ended_ = true;
        error(configFile_, reader_->line(), {}, QStringLiteral("the file ends before %1").arg(at));
    }
    QString squareItemName(int square, int k) const;

    // A text item the game shows: control characters and unassigned bytes are warned of.
    void checkText(const ConfigItem& item, const QString& at);
    void warnUnassignedLines(const QString& text);
    void readDeck(int item, Deck& deck, QString& foundPath, int size);
    // The path of a board picture, or empty when it is missing.
    QString checkPicture(const QString& name, const PictureGrid& grid, int item);

    const BoardLocation& where_;
    QString configFile_;
    LoadedBoard board_;
    std::optional<ItemReader> reader_;
    ConfigItem config_[kConfigItems];
    int configRead_ = 0;
    bool ended_ = false;
    std::vector<BoardProblem> configProblems_;
    std::vector<BoardProblem> fileProblems_;
    std::vector<int> textLinesWarned_;  // lines whose unassigned bytes a text item named
};

// The items of a square after its name, in the order the file gives them: whole numbers
// are checked by the reading itself, money goes straight into the square.
struct Reading::SquareField {
    const char* name;
    void (Reading::*wholeNumber)(int square, Integer value, int line, const QString& at);
    void (*money)(Square& sq, Currency value);
};

const Reading::SquareField Reading::kSquareFields[kSquareItems - 1] = {
    {"kind", &Reading::storeKind, nullptr},
    {"price", nullptr, [](Square& sq, Currency v) { sq.Price = v; }},
    {"house cost", nullptr, [](Square& sq, Currency v) { sq.HouseCost = v; }},
    {"hotel cost", nullptr, [](Square& sq, Currency v) { sq.HotelCost = v; }},
    {"rent 1", nullptr, [](Square& sq, Currency v) { sq.Rent(1) = v; }},
    {"rent 2", nullptr, [](Square& sq, Currency v) { sq.Rent(2) = v; }},
    {"rent 3", nullptr, [](Square& sq, Currency v) { sq.Rent(3) = v; }},
    {"rent 4", nullptr, [](Square& sq, Currency v) { sq.Rent(4) = v; }},
    {"rent 5", nullptr, [](Square& sq, Currency v) { sq.Rent(5) = v; }},
    {"rent 6", nullptr, [](Square& sq, Currency v) { sq.Rent(6) = v; }},
    {"picture holder", &Reading::storePictureHolder, nullptr},
    {"picture cell", &Reading::storePictureCell, nullptr},
};

void Reading::checkText(const ConfigItem& item, const QString& at) {
    if (holdsControlCharacter(item.text))
        warn(configFile_, item.line, at,
             QStringLiteral("the text holds a control character: \"%1\"").arg(item.text));
    if (item.text.contains(QChar(kUnassigned874))) {
        warn(configFile_, item.line, at,
             QStringLiteral("the text holds a byte that windows-874 leaves unassigned, read as "
                            "U+FFFD"));
        textLinesWarned_.push_back(item.line);
    }
}

// Unassigned bytes outside the texts: the item they spoil is reported by its own error.
void Reading::warnUnassignedLines(const QString& text) {
    int line = 1;
    bool noted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\n' || (c == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n'))) {
            ++line;
            noted = false;
        } else if (c == kUnassigned874 && !noted) {
            noted = true;
            if (std::find(textLinesWarned_.begin(), textLinesWarned_.end(), line) ==
                textLinesWarned_.end())
                warn(configFile_, line, {},
                     QStringLiteral("a byte that windows-874 leaves unassigned is read as U+FFFD"));
        }
    }
}

BoardReadResult Reading::run(bool bankruptCardOn) {
    BoardReadResult result;
    const QString path = configFile_;
    const FileRead file = readRegularFile(path, kConfigFileLimit);
    if (file.missing) {
        error(path, 0, {}, QStringLiteral("the configuration file is missing"));
    } else if (!file.ok()) {
        error(path, 0, {},
              QStringLiteral("the configuration file cannot be read: %1").arg(file.error));
    } else {
        const QString text = decodeWindows874(file.bytes);
        reader_.emplace(text);
        board_.Config.ConfigPath = path;
        if (readConfigItems() && readSquares() && !reader_->atEnd()) {
            const auto extra = reader_->readText();
            warn(path, extra->line, {}, QStringLiteral("items after the last square are ignored"));
        }
        for (const ItemReaderNote& note : reader_->notes()) warn(path, note.line, {}, note.message);
        warnUnassignedLines(text);
    }

    if (configRead_ > 4)
        readDeck(5, board_.Deck1, board_.Deck1Path, kCardsPerDeck);
    if (configRead_ > 5) {
        readDeck(6, board_.Deck2, board_.Deck2Path,
                 bankruptCardOn ? kCardsPerDeck + 1 : kCardsPerDeck);
        if (bankruptCardOn)
            board_.Deck2(kCardsPerDeck + 1) = builtInBankruptCard();
    }
    const PictureGrid* grids[3] = {&kCornerGrid, &kSideGrid, &kIllustrationGrid};
    QString* found[3] = {&board_.CornerPicturePath, &board_.SidePicturePath,
                         &board_.IllustrationPicturePath};
    for (int k = 0; k < 3 && k + 1 < configRead_; ++k)
        *found[k] = checkPicture(Text<255>::trimBlanks(config_[k + 1].text), *grids[k], k + 2);
    for (const EdgePicture& edge : kEdgePictures)
        checkPicture(QString::fromLatin1(edge.fileName), edge.grid, 0);

    std::stable_sort(configProblems_.begin(), configProblems_.end(),
                     [](const BoardProblem& a, const BoardProblem& b) { return a.line < b.line; });
    result.problems = std::move(configProblems_);
    result.problems.insert(result.problems.end(), fileProblems_.begin(), fileProblems_.end());
    if (!std::any_of(result.problems.begin(), result.problems.end(),
                     [](const BoardProblem& p) { return !p.warning; }))
        result.board = std::move(board_);
    return result;
}

bool Reading::readConfigItems() {
    for (int k = 0; k < kConfigItems; ++k) {
        const QString at =
            QStringLiteral("item %1 (%2)").arg(k + 1).arg(QLatin1String(kConfigItemNames[k]));
        const auto item = reader_->readText();
        if (!item) {
            ended(at);
            return false;
        }
        config_[k] = *item;
        configRead_ = k + 1;
        checkText(*item, at);
    }
    board_.mark = config_[0].text;
    board_.markOk = config_[0].text == QLatin1String("KOVART");
    if (!board_.markOk)
        warn(configFile_, config_[0].line, QStringLiteral("item 1 (file mark)"),
             QStringLiteral("expected \"KOVART\", found %1").arg(quoted(config_[0].text)));
    board_.Config.StripFile1 = config_[1].text;
    board_.Config.StripFile2 = config_[2].text;
    board_.Config.StripFile3 = config_[3].text;
    board_.Config.Deck1File = config_[4].text;
    board_.Config.Deck2File = config_[5].text;
    board_.Config.SpareItem = config_[6].text;
    return true;
}

QString Reading::squareItemName(int square, int k) const {
    const int number = kConfigItems + square * kSquareItems + k + 1;
    QString of = QStringLiteral("square index %1").arg(square);
    if (k > 0)
        of += QLatin1Char(' ') + quoted(board_.Squares(square + 1).Name.rightTrimmed());
    return QStringLiteral("item %1 (%2 of %3)")
        .arg(number)
        .arg(QLatin1String(k == 0 ? "name" : kSquareFields[k - 1].name), of);
}

std::optional<ConfigItem> Reading::nextNumber(const QString& at) {
    auto item = reader_->readNumber();
    if (!item)
        ended(at);
    return item;
}

std::optional<Integer> Reading::readInteger(const QString& at, int& line) {
    static const QRegularExpression whole(QStringLiteral("^[+-]?[0-9]+$"));
    const auto item = nextNumber(at);
    if (!item)
        return std::nullopt;
    line = item->line;
    const QString& t = item->text;
    if (t.isEmpty()) {
        error(configFile_, line, at, QStringLiteral("expected a whole number, found nothing"));
        return std::nullopt;
    }
    if (!whole.match(t).hasMatch()) {
        error(configFile_, line, at,
              QStringLiteral("expected a whole number, found %1").arg(quoted(t)));
        return std::nullopt;
    }
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok);
    if (!ok || v < -32768 || v > 32767) {
        error(configFile_, line, at,
              QStringLiteral("expected a 16-bit whole number (-32768 to 32767), found %1").arg(t));
        return std::nullopt;
    }
    return static_cast<Integer>(v);
}

std::optional<Currency> Reading::readMoney(const QString& at, int& line) {
    static const QRegularExpression decimal(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)$"));
    const auto item = nextNumber(at);
    if (!item)
        return std::nullopt;
    line = item->line;
    const QString& t = item->text;
    if (!decimal.match(t).hasMatch()) {
        error(configFile_, line, at,
              t.isEmpty() ? QStringLiteral("expected an amount of money, found nothing")
                          : QStringLiteral("expected an amount of money, found %1").arg(quoted(t)));
        return std::nullopt;
    }
    const auto money = Currency::parse(t);
    const qsizetype point = t.indexOf(QLatin1Char('.'));
    if (point >= 0 && t.size() - point - 1 > 4) {
        error(configFile_, line, at,
              QStringLiteral("money has at most four decimals, found %1").arg(t));
        return std::nullopt;
    }
    // Larger amounts could carry a player's money past what the game can hold.
    if (!money || !money->withinBoardLimit()) {
        error(configFile_, line, at,
              QStringLiteral("the amount %1 is out of the range of money on a board (-%2 to %2)")
                  .arg(t, Currency::boardLimit().toPlainText()));
        return std::nullopt;
    }
    return money;
}

void Reading::storeKind(int square, Integer v, int line, const QString& at) {
    board_.Squares(square + 1).Kind = v;
    if (v < 0 || v > 9)
        error(configFile_, line, at,
              QStringLiteral("expected a kind of square 0 to 9, found %1").arg(v));
}

void Reading::storePictureHolder(int square, Integer v, int line, const QString& at) {
    board_.Pictures[static_cast<std::size_t>(square)].Holder = v;
    if (!squareHolderGrid(v))
        error(configFile_, line, at,
              QStringLiteral("expected picture holder 9 (the corner squares) or 10 (the side "
                             "squares), found %1")
                  .arg(v));
}

void Reading::storePictureCell(int square, Integer v, int line, const QString& at) {
    BoardPicture& pic = board_.Pictures[static_cast<std::size_t>(square)];
    pic.Cell = v;
    const PictureGrid* grid = squareHolderGrid(pic.Holder);
    if (grid && (v < 0 || v >= grid->cells()))
        error(configFile_, line, at,
              QStringLiteral("expected a cell 0 to %1 of holder %2 (%3 x %4 cells), found %5")
                  .arg(grid->cells() - 1)
                  .arg(pic.Holder)
                  .arg(grid->rows)
                  .arg(grid->columns)
                  .arg(v));
}

bool Reading::readSquares() {
    for (int i = 0; i < kSquareCount; ++i) {
        Square& sq = board_.Squares(i + 1);
        const auto name = reader_->readText();
        if (!name) {
            ended(squareItemName(i, 0));
            return false;
        }
        sq.Name = name->text;
        checkText(*name, squareItemName(i, 0));
        if (name->text.size() > Text<30>::kLength)
            warn(configFile_, name->line, squareItemName(i, 0),
                 QStringLiteral("the name is longer than 30 characters; its first 30 are kept"));
        int line = name->line;
        for (int k = 1; k < kSquareItems; ++k) {
            const SquareField& field = kSquareFields[k - 1];
            const QString at = squareItemName(i, k);
            if (field.wholeNumber) {
                const auto v = readInteger(at, line);
                if (ended_)
                    return false;
                if (v)
                    (this->*field.wholeNumber)(i, *v, line, at);
            } else {
                const auto v = readMoney(at, line);
                if (ended_)
                    return false;
                if (v)
                    field.money(sq, *v);
            }
        }
    }
    return true;
}

void Reading::readDeck(int item, Deck& deck, QString& foundPath, int size) {
    // The deck has its cleared cards even when its file cannot be read, so that the
    // built-in card always has its place.
    deck.reset(size);
    const ConfigItem& written = config_[item - 1];
    const QString name = Text<255>::trimBlanks(written.text);
    const QString at =
        QStringLiteral("item %1 (%2)").arg(item).arg(QLatin1String(kConfigItemNames[item - 1]));
    const ResolvedPath found = resolveBoardPath(where_.appFolder, name);
    if (!found.ok()) {
        error(configFile_, written.line, at,
              QStringLiteral("card file %1").arg(found.describe(name)));
        return;
    }
    foundPath = found.path;
    const CardFileResult cards = readCardFile(found.path);
    if (!cards.ok) {
        error(found.path, 0, {}, cards.error);
        return;
    }
    for (int record : cards.unassignedRecords)
        warn(found.path, 0, QStringLiteral("record %1").arg(record),
             QStringLiteral("the text holds a byte that windows-874 leaves unassigned, read as "
                            "U+FFFD"));
    for (int record : cards.controlRecords)
        warn(found.path, 0, QStringLiteral("record %1").arg(record),
             QStringLiteral("the text holds a control character"));
    for (int k = 1; k <= kCardsPerDeck; ++k) deck(k) = cards.cards[static_cast<std::size_t>(k - 1)];
}

QString Reading::checkPicture(const QString& name, const PictureGrid& grid, int item) {
    const ResolvedPath found = resolveBoardPath(where_.imageFolder, name);
    const QString expected = QStringLiteral("%1 x %2 pixels (%3 x %4 cells of %5 x %6)")
                                 .arg(grid.width())
                                 .arg(grid.height())
                                 .arg(grid.columns)
                                 .arg(grid.rows)
                                 .arg(grid.cellWidth)
                                 .arg(grid.cellHeight);
    if (!found.ok()) {
        if (item > 0) {
            const ConfigItem& written = config_[item - 1];
            error(configFile_, written.line,
                  QStringLiteral("item %1 (%2)")
                      .arg(item)
                      .arg(QLatin1String(kConfigItemNames[item - 1])),
                  QStringLiteral("picture %1; it must be a BMP picture of %2")
                      .arg(found.describe(name), expected));
        } else if (found.missing) {
            error(joinPath(where_.imageFolder, name), 0, {},
                  QStringLiteral(
                      "the board's edge picture is missing; it must be a BMP picture of %1")
                      .arg(expected));
        } else {
            error(joinPath(where_.imageFolder, name), 0, {},
                  QStringLiteral("the board's edge picture cannot be found: %1; it must be a BMP "
                                 "picture of %2")
                      .arg(found.error, expected));
        }
        return {};
    }
    const BmpHeader header = readBmpHeader(found.path);
    if (!header.ok) {
        error(found.path, 0, {},
              QStringLiteral("expected a BMP picture of %1, but %2").arg(expected, header.error));
        return {};
    }
    if (header.width != grid.width() || header.height != grid.height()) {
        error(found.path, 0, {},
              QStringLiteral("expected a BMP picture of %1, found %2 x %3 pixels")
                  .arg(expected)
                  .arg(header.width)
                  .arg(header.height));
        return {};
    }
    return found.path;
}

}  // namespace

BoardReadResult readBoard(const BoardLocation& where, bool bankruptCardOn) {
    return Reading(where).run(bankruptCardOn);
}

}  // namespace kroda
