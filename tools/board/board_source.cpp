#include "board/board_source.h"

#include "model/board_paths.h"
#include "model/card_file.h"
#include "model/picture_grids.h"
#include "model/windows874.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <functional>

namespace kroda {

namespace {

const char* const kKindNames[10] = {"Start",       "Land", "HotelSite", "PairSite", "TreasureCard",
                                    "FortuneCard", "Jail", "Rest",      "GoToJail", "Tax"};

struct Field {
    QString text;
    bool quoted = false;
};

class Parser {
  public:
    explicit Parser(QString fileName) : file_(std::move(fileName)) {}
    SourceParseResult run(const QByteArray& utf8);

  private:
    void fail(int line, const QString& message) {
        errors_ << (line > 0 ? QStringLiteral("%1:%2: %3").arg(file_).arg(line).arg(message)
                             : QStringLiteral("%1: %2").arg(file_, message));
    }
    bool split(const QString& line, std::vector<Field>& fields);
    void parseLine(const std::vector<Field>& fields);
    void header(const std::vector<Field>& fields, QString& into, int& seenAt, bool fileName);
    void square(const std::vector<Field>& fields);
    void card(const std::vector<Field>& fields, std::vector<SourceCard>& deck, const char* what);

    // Checks for a text that goes into KovarT.dat; true when it may.
    bool configText(const QString& text, const QString& what, int maxLength,
                    bool fixedLength = true);
    bool encodable(const QString& text, const QString& what);
    std::optional<Integer> integer(const Field& f, const QString& what, int lo, int hi);
    std::optional<Currency> money(const Field& f, const QString& what);

    QString file_;
    int line_ = 0;
    QStringList errors_;
    BoardSource source_;
    int markAt_ = 0, cornersAt_ = 0, sidesAt_ = 0, illustrationsAt_ = 0;
    int treasureFileAt_ = 0, fortuneFileAt_ = 0, spareAt_ = 0;
    bool squaresBroken_ = false;
};

SourceParseResult Parser::run(const QByteArray& utf8) {
    const QList<QByteArray> lines = utf8.split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        line_ = static_cast<int>(n) + 1;
        QByteArray raw = lines[n];
        if (raw.endsWith('\r'))
            raw.chop(1);
        QStringDecoder decode(QStringDecoder::Utf8);
        const QString text = decode(raw);
        if (decode.hasError()) {
            fail(line_, QStringLiteral("the line is not valid UTF-8"));
            continue;
        }
        const QString body = text.trimmed();
        if (body.isEmpty() || body.startsWith(QLatin1Char('#')))
            continue;
        std::vector<Field> fields;
        if (split(text, fields))
            parseLine(fields);
    }
    line_ = 0;
    const struct {
        const char* keyword;
        int at;
    } headers[] = {{"mark", markAt_},
                   {"corners", cornersAt_},
                   {"sides", sidesAt_},
                   {"illustrations", illustrationsAt_},
                   {"treasure-file", treasureFileAt_},
                   {"fortune-file", fortuneFileAt_},
                   {"spare", spareAt_}};
    for (const auto& h : headers) {
        if (h.at == 0)
            fail(0, QStringLiteral("the line \"%1\" is missing").arg(QLatin1String(h.keyword)));
    }
    if (!squaresBroken_ && source_.squares.size() != 40)
        fail(0, QStringLiteral("the board has %1 squares; it needs squares 0 to 39")
                    .arg(source_.squares.size()));
    if (source_.treasure.size() < kCardsPerDeck)
        fail(0, QStringLiteral("there are %1 treasure cards; a deck needs 20")
                    .arg(source_.treasure.size()));
    if (source_.fortune.size() < kCardsPerDeck)
        fail(0, QStringLiteral("there are %1 fortune cards; a deck needs 20")
                    .arg(source_.fortune.size()));
    if (treasureFileAt_ && fortuneFileAt_ &&
        (boardNameToRelativePath(source_.treasureFile)
             .compare(boardNameToRelativePath(source_.fortuneFile), Qt::CaseInsensitive) == 0))
        fail(fortuneFileAt_, QStringLiteral("both decks name the same card file"));

    SourceParseResult result;
    result.errors = errors_;
    if (errors_.isEmpty())
        result.source = std::move(source_);
    return result;
}

bool Parser::split(const QString& line, std::vector<Field>& fields) {
    qsizetype i = 0;
    const auto blank = [&](qsizetype p) {
        return line[p] == QLatin1Char(' ') || line[p] == QLatin1Char('\t');
    };
    while (true) {
        while (i < line.size() && blank(i)) ++i;
        if (i >= line.size())
            return true;
        Field f;
        if (line[i] == QLatin1Char('"')) {
            f.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                if (line[i] == QLatin1Char('"')) {
                    if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
                        f.text += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    closed = true;
                    ++i;
                    break;
                }
                f.text += line[i++];
            }
            if (!closed) {
                fail(line_, QStringLiteral("a text has no closing quote"));
                return false;
            }
            if (i < line.size() && !blank(i)) {
                fail(line_, QStringLiteral("a blank must follow the closing quote of a text"));
                return false;
            }
        } else {
            while (i < line.size() && !blank(i)) {
                if (line[i] == QLatin1Char('"')) {
                    fail(line_, QStringLiteral("a quote inside the field \"%1\"; texts stand in "
                                               "double quotes")
                                    .arg(f.text));
                    return false;
                }
                f.text += line[i++];
            }
        }
        fields.push_back(std::move(f));
    }
}

void Parser::parseLine(const std::vector<Field>& fields) {
    const QString keyword = fields[0].quoted ? QString() : fields[0].text;
    if (keyword == QLatin1String("mark"))
        header(fields, source_.mark, markAt_, false);
    else if (keyword == QLatin1String("corners"))
        header(fields, source_.corners, cornersAt_, true);
    else if (keyword == QLatin1String("sides"))
        header(fields, source_.sides, sidesAt_, true);
    else if (keyword == QLatin1String("illustrations"))
        header(fields, source_.illustrations, illustrationsAt_, true);
    else if (keyword == QLatin1String("treasure-file"))
        header(fields, source_.treasureFile, treasureFileAt_, true);
    else if (keyword == QLatin1String("fortune-file"))
        header(fields, source_.fortuneFile, fortuneFileAt_, true);
    else if (keyword == QLatin1String("spare"))
        header(fields, source_.spare, spareAt_, false);
    else if (keyword == QLatin1String("square"))
        square(fields);
    else if (keyword == QLatin1String("treasure"))
        card(fields, source_.treasure, "treasure");
    else if (keyword == QLatin1String("fortune"))
        card(fields, source_.fortune, "fortune");
    else
        fail(line_, QStringLiteral("unknown keyword \"%1\"").arg(fields[0].text));
}

bool Parser::encodable(const QString& text, const QString& what) {
    const Encoded874 enc = encodeWindows874(text);
    if (enc.ok())
        return true;
    const QChar c = text[enc.badPosition];
    fail(line_, QStringLiteral("%1: the character \"%2\" (U+%3) cannot be written in windows-874")
                    .arg(what, QString(c),
                         QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0')));
    return false;
}

bool Parser::configText(const QString& text, const QString& what, int maxLength, bool fixedLength) {
    bool ok = encodable(text, what);
    if (text.contains(QLatin1Char('"'))) {
        fail(line_,
             QStringLiteral("%1: KovarT.dat cannot hold a double quote inside a text").arg(what));
        ok = false;
    }
    if (fixedLength && text.endsWith(QLatin1Char(' '))) {
        fail(line_, QStringLiteral("%1 ends in a blank, which its fixed-length field does not keep")
                        .arg(what));
        ok = false;
    }
    if (text.size() > maxLength) {
        fail(line_, QStringLiteral("%1 has %2 characters; at most %3 are kept")
                        .arg(what)
                        .arg(text.size())
                        .arg(maxLength));
        ok = false;
    }
    return ok;
}

void Parser::header(const std::vector<Field>& fields, QString& into, int& seenAt, bool fileName) {
    const QString keyword = fields[0].text;
    if (seenAt != 0) {
        fail(line_,
             QStringLiteral("\"%1\" is given again (first on line %2)").arg(keyword).arg(seenAt));
        return;
    }
    seenAt = line_;
    if (fields.size() != 2 || !fields[1].quoted) {
        fail(line_, QStringLiteral("expected %1 \"TEXT\"").arg(keyword));
        return;
    }
    into = fields[1].text;
    if (!configText(into, keyword, 255, keyword != QLatin1String("mark")) || !fileName)
        return;
    const QString problem = boardNameProblem(into);
    if (!problem.isEmpty())
        fail(line_, QStringLiteral("%1: %2").arg(keyword, problem));
}

std::optional<Integer> Parser::integer(const Field& f, const QString& what, int lo, int hi) {
    static const QRegularExpression whole(QStringLiteral("^[+-]?[0-9]+$"));
    bool ok = false;
    const qlonglong v = f.text.toLongLong(&ok);
    if (f.quoted || !whole.match(f.text).hasMatch()) {
        fail(line_, QStringLiteral("%1: expected a whole number, found \"%2\"").arg(what, f.text));
        return std::nullopt;
    }
    if (!ok || v < lo || v > hi) {
        fail(line_, QStringLiteral("%1: expected %2 to %3, found %4")
                        .arg(what)
                        .arg(lo)
                        .arg(hi)
                        .arg(f.text));
        return std::nullopt;
    }
    return static_cast<Integer>(v);
}

std::optional<Currency> Parser::money(const Field& f, const QString& what) {
    static const QRegularExpression decimal(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)$"));
    if (f.quoted || !decimal.match(f.text).hasMatch()) {
        fail(line_,
             QStringLiteral("%1: expected an amount of money, found \"%2\"").arg(what, f.text));
        return std::nullopt;
    }
    const auto value = Currency::parse(f.text);
    if (!value) {
        const qsizetype point = f.text.indexOf(QLatin1Char('.'));
        if (point >= 0 && f.text.size() - point - 1 > 4)
            fail(line_,
                 QStringLiteral("%1: money has at most four decimals, found %2").arg(what, f.text));
        else
            fail(line_, QStringLiteral("%1: %2 is out of the range of money").arg(what, f.text));
        return value;
    }
    if (!value->withinBoardLimit()) {
        fail(line_, QStringLiteral("%1: %2 is out of the range of money on a board (-%3 to %3)")
                        .arg(what, f.text, Currency::boardLimit().toPlainText()));
        return std::nullopt;
    }
    return value;
}

void Parser::square(const std::vector<Field>& fields) {
    if (squaresBroken_)
        return;
    const int expected = static_cast<int>(source_.squares.size());
    if (fields.size() != 15) {
        fail(line_, QStringLiteral("expected square INDEX \"NAME\" KIND PRICE HOUSE HOTEL RENT1 "
                                   "... RENT6 corner|side CELL (14 fields), found %1 fields")
                        .arg(fields.size() - 1));
        squaresBroken_ = true;
        return;
    }
    const auto index = integer(fields[1], QStringLiteral("square index"), 0, 39);
    if (!index) {
        squaresBroken_ = true;
        return;
    }
    if (*index != expected) {
        fail(line_, expected >= 40
                        ? QStringLiteral("square index %1 is one too many: the board has squares "
                                         "0 to 39, each once")
                              .arg(*index)
                        : QStringLiteral("expected square index %1, found %2; squares stand in "
                                         "order 0 to 39, each once")
                              .arg(expected)
                              .arg(*index));
        squaresBroken_ = true;
        return;
    }
    SourceSquare sq;
    sq.line = line_;
    const QString at = QStringLiteral("square %1").arg(expected);
    if (!fields[2].quoted)
        fail(line_, QStringLiteral("%1: the name must stand in double quotes").arg(at));
    sq.name = fields[2].text;
    configText(sq.name, at + QStringLiteral(" name"), 30);

    const QString& kind = fields[3].text;
    sq.kind = -1;
    for (int k = 0; k < 10; ++k) {
        if (!fields[3].quoted && kind == QLatin1String(kKindNames[k]))
            sq.kind = static_cast<Integer>(k);
    }
    static const QRegularExpression number(QStringLiteral("^[+-]?[0-9]+$"));
    if (sq.kind < 0 && !number.match(kind).hasMatch()) {
        fail(line_, QStringLiteral("%1 kind: expected Start, Land, HotelSite, PairSite, "
                                   "TreasureCard, FortuneCard, Jail, Rest, GoToJail, Tax or 0 "
                                   "to 9, found \"%2\"")
                        .arg(at, kind));
        sq.kind = 0;
    } else if (sq.kind < 0) {
        sq.kind = integer(fields[3], at + QStringLiteral(" kind"), 0, 9).value_or(0);
    }
    Currency* amounts[9] = {&sq.price,    &sq.houseCost, &sq.hotelCost, &sq.rents[0], &sq.rents[1],
                            &sq.rents[2], &sq.rents[3],  &sq.rents[4],  &sq.rents[5]};
    const char* names[9] = {"price",  "house cost", "hotel cost", "rent 1", "rent 2",
                            "rent 3", "rent 4",     "rent 5",     "rent 6"};
    for (int k = 0; k < 9; ++k) {
        *amounts[k] = money(fields[4 + static_cast<std::size_t>(k)],
                            at + QLatin1Char(' ') + QLatin1String(names[k]))
                          .value_or(Currency{});
    }
    const Field& holder = fields[13];
    if (holder.text == QLatin1String("corner") || holder.text == QLatin1String("9")) {
        sq.holder = kCornerHolder;
    } else if (holder.text == QLatin1String("side") || holder.text == QLatin1String("10")) {
        sq.holder = kSideHolder;
    } else {
        fail(line_, QStringLiteral("%1 picture: expected corner or side, found \"%2\"")
                        .arg(at, holder.text));
    }
    if (const PictureGrid* grid = squareHolderGrid(sq.holder)) {
        sq.cell = integer(fields[14], at + QStringLiteral(" picture cell"), 0, grid->cells() - 1)
                      .value_or(0);
    }
    source_.squares.push_back(std::move(sq));
}

void Parser::card(const std::vector<Field>& fields, std::vector<SourceCard>& deck,
                  const char* what) {
    const QString at = QStringLiteral("%1 card %2").arg(QLatin1String(what)).arg(deck.size() + 1);
    if (deck.size() >= kCardsPerDeck) {
        fail(line_, QStringLiteral("%1 is one too many: a deck has 20 cards").arg(at));
        return;
    }
    if (fields.size() != 4 || !fields[3].quoted) {
        fail(line_, QStringLiteral("expected %1 ACTION AMOUNT \"TEXT\"").arg(QLatin1String(what)));
        deck.push_back({});
        return;
    }
    SourceCard c;
    c.line = line_;
    const QString& action = fields[1].text;
    if (action == QLatin1String("pay"))
        c.action = 0;
    else if (action == QLatin1String("receive"))
        c.action = 1;
    else if (action == QLatin1String("lose-all"))
        c.action = 10;
    else
        c.action = integer(fields[1], at + QStringLiteral(" action"), -32768, 32767).value_or(0);
    c.amount = integer(fields[2], at + QStringLiteral(" amount"), -32768, 32767).value_or(0);
    c.text = fields[3].text;
    if (c.text.endsWith(QLatin1Char(' ')))
        fail(line_, QStringLiteral("%1 ends in a blank, which its fixed-length field does not keep")
                        .arg(at));
    if (encodable(c.text, at) && c.text.size() > kCardTextSize)
        fail(line_, QStringLiteral("%1: the text takes %2 bytes in windows-874; a card holds %3")
                        .arg(at)
                        .arg(c.text.size())
                        .arg(kCardTextSize));
    deck.push_back(std::move(c));
}

}  // namespace

bool sameBoard(const BoardSource& a, const BoardSource& b) {
    const auto sameSquare = [](const SourceSquare& x, const SourceSquare& y) {
        return x.name == y.name && x.kind == y.kind && x.price == y.price &&
               x.houseCost == y.houseCost && x.hotelCost == y.hotelCost && x.rents == y.rents &&
               x.holder == y.holder && x.cell == y.cell;
    };
    const auto sameCard = [](const SourceCard& x, const SourceCard& y) {
        return x.action == y.action && x.amount == y.amount && x.text == y.text;
    };
    return a.mark == b.mark && a.corners == b.corners && a.sides == b.sides &&
           a.illustrations == b.illustrations && a.treasureFile == b.treasureFile &&
           a.fortuneFile == b.fortuneFile && a.spare == b.spare &&
           std::equal(a.squares.begin(), a.squares.end(), b.squares.begin(), b.squares.end(),
                      sameSquare) &&
           std::equal(a.treasure.begin(), a.treasure.end(), b.treasure.begin(), b.treasure.end(),
                      sameCard) &&
           std::equal(a.fortune.begin(), a.fortune.end(), b.fortune.begin(), b.fortune.end(),
                      sameCard);
}

SourceParseResult parseBoardSource(const QByteArray& utf8, const QString& fileName) {
    return Parser(fileName).run(utf8);
}

QString kindName(int kind) {
    return kind >= 0 && kind < 10 ? QString::fromLatin1(kKindNames[kind]) : QString();
}

QString actionName(int action) {
    switch (action) {
        case 0:
            return QStringLiteral("pay");
        case 1:
            return QStringLiteral("receive");
        case 10:
            return QStringLiteral("lose-all");
        default:
            return {};
    }
}

}  // namespace kroda
