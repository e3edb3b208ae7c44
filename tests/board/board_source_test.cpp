#include "source_text.h"

#include "board/board_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace kroda {
namespace {

const QString kFile = QStringLiteral("board.kroda");

// The default board's source is a whole board: 40 squares and 20 cards in each deck.
TEST(BoardSource, DefaultBoardParses) {
    const SourceParseResult r = parseBoardSource(SourceText().utf8(), kFile);
    ASSERT_TRUE(r.source) << r.errors.join(QLatin1Char('\n')).toStdString();
    const BoardSource& s = *r.source;
    EXPECT_EQ(s.mark, QStringLiteral("KOVART"));
    EXPECT_EQ(s.squares.size(), 40u);
    EXPECT_EQ(s.treasure.size(), 20u);
    EXPECT_EQ(s.fortune.size(), 20u);
}

struct Fault {
    const char* what;
    std::function<int(SourceText&)> change;  // returns the line the error names, 0 for none
    const char* expected;
};

// Each fault of a source is refused with the file, the line and what is wrong.
TEST(BoardSource, FaultsAreRefusedWithTheirLine) {
    const QString sq1 = QStringLiteral("square  1 ");
    const Fault faults[] = {
        {"text outside windows-874",
         [&](SourceText& s) {
             return s.replace(sq1, QStringLiteral("square 1 \"Biên Hòa\" Land 600 500 500 20 100 "
                                                  "300 900 1600 2500 side 0"));
         },
         "the character \"ê\" (U+00EA) cannot be written in windows-874"},
        {"name of 31 characters",
         [&](SourceText& s) {
             return s.replace(sq1, QStringLiteral("square 1 \"%1\" Land 600 500 500 20 100 300 900 "
                                                  "1600 2500 side 0")
                                       .arg(QString(31, QLatin1Char('n'))));
         },
         "has 31 characters; at most 30"},
        {"quote in a name",
         [&](SourceText& s) {
             return s.replace(sq1, QStringLiteral("square 1 \"a\"\"b\" Land 600 500 500 20 100 300 "
                                                  "900 1600 2500 side 0"));
         },
         "cannot hold a double quote"},
        {"blank at the end of a name",
         [&](SourceText& s) {
             return s.replace(sq1, QStringLiteral("square 1 \"x \" Land 600 500 500 20 100 300 "
                                                  "900 1600 2500 side 0"));
         },
         "square 1 name ends in a blank"},
        {"card text over 256 bytes",
         [&](SourceText& s) {
             const int n = s.nth(QStringLiteral("treasure "), 0);
             s.setLine(n,
                       QStringLiteral("treasure pay 5 \"%1\"").arg(QString(257, QLatin1Char('t'))));
             return n;
         },
         "takes 257 bytes"},
        {"squares out of order",
         [&](SourceText& s) {
             return s.replace(QStringLiteral("square  5 "),
                              QStringLiteral("square 6 \"x\" Land 1 0 0 0 0 0 0 0 0 side 4"));
         },
         "expected square index 5, found 6"},
        {"a square missing",
         [&](SourceText& s) {
             s.remove(QStringLiteral("square 39 "));
             return 0;
         },
         "the board has 39 squares"},
        {"a square too many",
         [&](SourceText& s) {
             s.append(QStringLiteral("square 39 \"x\" Land 1 0 0 0 0 0 0 0 0 side 4"));
             return static_cast<int>(s.text().count(QLatin1Char('\n'))) + 1;
         },
         "square index 39 is one too many"},
        {"a treasure card missing",
         [&](SourceText& s) {
             s.setLine(s.nth(QStringLiteral("treasure "), 7), QString());
             return 0;
         },
         "there are 19 treasure cards"},
        {"a fortune card too many",
         [&](SourceText& s) {
             s.append(QStringLiteral("fortune pay 1 \"x\""));
             return static_cast<int>(s.text().count(QLatin1Char('\n'))) + 1;
         },
         "fortune card 21 is one too many"},
        {"card amount beyond 16 bits",
         [&](SourceText& s) {
             const int n = s.nth(QStringLiteral("fortune "), 2);
             s.setLine(n, QStringLiteral("fortune pay 40000 \"x\""));
             return n;
         },
         "fortune card 3 amount: expected -32768 to 32767, found 40000"},
        {"unknown action",
         [&](SourceText& s) {
             const int n = s.nth(QStringLiteral("fortune "), 0);
             s.setLine(n, QStringLiteral("fortune give 1 \"x\""));
             return n;
         },
         "fortune card 1 action: expected a whole number, found \"give\""},
        {"five decimals",
         [&](SourceText& s) {
             return s.replace(sq1,
                              QStringLiteral("square 1 \"x\" Land 600.00001 500 500 20 100 300 "
                                             "900 1600 2500 side 0"));
         },
         "square 1 price: money has at most four decimals"},
        {"kind by an unknown name",
         [&](SourceText& s) {
             return s.replace(sq1, QStringLiteral("square 1 \"x\" Hotel 600 500 500 20 100 300 900 "
                                                  "1600 2500 side 0"));
         },
         "square 1 kind: expected Start, Land"},
        {"kind 10",
         [&](SourceText& s) {
             return s.replace(sq1, QStringLiteral("square 1 \"x\" 10 600 500 500 20 100 300 900 "
                                                  "1600 2500 side 0"));
         },
         "square 1 kind: expected 0 to 9, found 10"},
        {"corner cell 4",
         [&](SourceText& s) {
             return s.replace(sq1, QStringLiteral("square 1 \"x\" Land 600 500 500 20 100 300 900 "
                                                  "1600 2500 corner 4"));
         },
         "square 1 picture cell: expected 0 to 3, found 4"},
        {"unknown holder",
         [&](SourceText& s) {
             return s.replace(sq1, QStringLiteral("square 1 \"x\" Land 600 500 500 20 100 300 900 "
                                                  "1600 2500 middle 4"));
         },
         "expected corner or side, found \"middle\""},
        {"unknown keyword",
         [&](SourceText& s) {
             s.append(QStringLiteral("squares 1"));
             return static_cast<int>(s.text().count(QLatin1Char('\n'))) + 1;
         },
         "unknown keyword \"squares\""},
        {"mark missing",
         [&](SourceText& s) {
             s.remove(QStringLiteral("mark "));
             return 0;
         },
         "the line \"mark\" is missing"},
        {"mark twice",
         [&](SourceText& s) {
             s.append(QStringLiteral("mark \"KOVART\""));
             return static_cast<int>(s.text().count(QLatin1Char('\n'))) + 1;
         },
         "\"mark\" is given again"},
        {"drive-letter card file",
         [&](SourceText& s) {
             return s.replace(QStringLiteral("treasure-file"),
                              QStringLiteral("treasure-file \"C:\\Kroda\\Treasure.crd\""));
         },
         "treasure-file: the drive-letter path"},
        {"both decks in one file",
         [&](SourceText& s) {
             return s.replace(QStringLiteral("fortune-file"),
                              QStringLiteral("fortune-file \"treasure.CRD\""));
         },
         "both decks name the same card file"},
        {"text left open",
         [&](SourceText& s) {
             return s.replace(QStringLiteral("spare"), QStringLiteral("spare \"open"));
         },
         "a text has no closing quote"},
    };
    for (const Fault& f : faults) {
        SCOPED_TRACE(f.what);
        SourceText source;
        const int line = f.change(source);
        const SourceParseResult r = parseBoardSource(source.utf8(), kFile);
        EXPECT_FALSE(r.source.has_value());
        const QString place = line > 0 ? QStringLiteral("%1:%2: ").arg(kFile).arg(line)
                                       : kFile + QStringLiteral(": ");
        const QString expected = QString::fromUtf8(f.expected);
        EXPECT_TRUE(std::any_of(
            r.errors.begin(), r.errors.end(),
            [&](const QString& e) { return e.startsWith(place) && e.contains(expected); }))
            << r.errors.join(QLatin1Char('\n')).toStdString() << "\nwanted: " << place.toStdString()
            << "... " << expected.toStdString();
    }
}

// A line that is not UTF-8 is refused with its line.
TEST(BoardSource, InvalidUtf8) {
    SourceText source;
    const int line = source.replace(QStringLiteral("spare"), QStringLiteral("spare \"@\""));
    QByteArray bytes = source.utf8();
    bytes[bytes.indexOf('@')] = static_cast<char>(0xFF);
    const SourceParseResult r = parseBoardSource(bytes, kFile);
    EXPECT_FALSE(r.source);
    EXPECT_TRUE(r.errors.contains(
        QStringLiteral("%1:%2: the line is not valid UTF-8").arg(kFile).arg(line)))
        << r.errors.join(QLatin1Char('\n')).toStdString();
}

// A card text may hold a double quote, written twice; decimals and kinds by number read too.
TEST(BoardSource, QuotesInCardsAndNumericForms) {
    SourceText source;
    source.setLine(source.nth(QStringLiteral("treasure "), 0),
                   QStringLiteral("treasure 1 -5 \"say \"\"hi\"\"\""));
    source.replace(QStringLiteral("square  1 "),
                   QStringLiteral("square 1 \"x\" 1 600.5 -1 .25 0 0 0 0 0 0 10 35"));
    const SourceParseResult r = parseBoardSource(source.utf8(), kFile);
    ASSERT_TRUE(r.source) << r.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(r.source->treasure[0].text, QStringLiteral("say \"hi\""));
    EXPECT_EQ(r.source->treasure[0].amount, -5);
    const SourceSquare& sq = r.source->squares[1];
    EXPECT_EQ(sq.price, Currency::fromRaw(6005000));
    EXPECT_EQ(sq.houseCost, Currency::fromUnits(-1));
    EXPECT_EQ(sq.hotelCost, Currency::fromRaw(2500));
    EXPECT_EQ(sq.holder, 10);
    EXPECT_EQ(sq.cell, 35);
}

}  // namespace
}  // namespace kroda
