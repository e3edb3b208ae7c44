#include "board_folder.h"

#include "model/card_file.h"

#include <QDir>

namespace kroda {
namespace {

// Square i's line with field k (0 name ... 12 cell) replaced.
QString withField(const BoardFolder& folder, int square, int k, const QString& value) {
    QStringList fields = folder.lines()[7 + square].split(QLatin1Char(','));
    fields[k] = value;
    return fields.join(QLatin1Char(','));
}

struct ItemFault {
    int square;
    int field;
    const char* value;
    const char* expected;  // part of the message
};

// A malformed square item is an error naming the file, the line, the item by number and
// name, the square, and what was expected; the board is refused.
TEST(BoardReaderErrors, MalformedSquareItems) {
    const ItemFault faults[] = {
        {1, 1, "x", "expected a whole number, found \"x\""},
        {1, 1, "10", "expected a kind of square 0 to 9, found 10"},
        {1, 1, "1.5", "expected a whole number, found \"1.5\""},
        {1, 1, "40000", "16-bit whole number"},
        {2, 2, "12a", "expected an amount of money, found \"12a\""},
        {2, 2, "", "expected an amount of money, found nothing"},
        {3, 4, "1.23456", "at most four decimals"},
        {3, 10, "99999999999999999999", "out of the range of money"},
        {5, 11, "11", "expected picture holder 9 (the corner squares) or 10"},
        {0, 12, "4", "expected a cell 0 to 3 of holder 9"},
        {39, 12, "36", "expected a cell 0 to 35 of holder 10"},
        {39, 12, "-1", "expected a cell 0 to 35 of holder 10"},
    };
    BoardFolder folder;
    const QStringList original = folder.lines();
    const char* const itemNames[] = {
        "name",   "kind",   "price",  "house cost", "hotel cost",     "rent 1",      "rent 2",
        "rent 3", "rent 4", "rent 5", "rent 6",     "picture holder", "picture cell"};
    for (const ItemFault& f : faults) {
        SCOPED_TRACE(std::string(f.value) + " in square " + std::to_string(f.square));
        folder.writeLines(original);
        folder.setLine(7 + f.square, withField(folder, f.square, f.field, QLatin1String(f.value)));
        const BoardReadResult r = folder.read();
        ASSERT_TRUE(r.hasErrors());
        EXPECT_FALSE(r.board.has_value());
        ASSERT_EQ(r.problems.size(), 1u) << problemText(r).toStdString();
        const BoardProblem& p = r.problems[0];
        EXPECT_FALSE(p.warning);
        EXPECT_EQ(p.file, folder.path(QStringLiteral("KovarT.dat")));
        EXPECT_EQ(p.line, 8 + f.square);
        const QString name = original[7 + f.square].section(QLatin1Char('"'), 1, 1);
        EXPECT_EQ(p.where, QStringLiteral("item %1 (%2 of square index %3 \"%4\")")
                               .arg(7 + 13 * f.square + f.field + 1)
                               .arg(QLatin1String(itemNames[f.field]))
                               .arg(f.square)
                               .arg(name));
        EXPECT_TRUE(p.message.contains(QLatin1String(f.expected))) << p.text().toStdString();
        EXPECT_TRUE(r.errorText().contains(p.message));
    }
}

// A configuration file that is missing or ends early is refused with the item it lacks.
TEST(BoardReaderErrors, MissingOrShortConfiguration) {
    BoardFolder folder;
    const QStringList l = folder.lines();
    folder.writeLines(l.mid(0, 7 + 13) + QStringList{l[7 + 13].section(QLatin1Char(','), 0, 1)});
    BoardReadResult r = folder.read();
    ASSERT_TRUE(r.hasErrors());
    EXPECT_TRUE(problemText(r).contains(
        QStringLiteral("ends before item 179 (price of square index 13 \"")))
        << problemText(r).toStdString();

    folder.writeLines(l.mid(0, 3));
    r = folder.read();
    ASSERT_EQ(r.problems.size(), 1u) << problemText(r).toStdString();
    EXPECT_TRUE(r.problems[0].message.contains(
        QStringLiteral("ends before item 4 (picture file of the square illustrations)")));

    QFile::remove(folder.path(QStringLiteral("KovarT.dat")));
    r = folder.read();
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_FALSE(r.board.has_value());
    EXPECT_TRUE(r.problems[0].message.contains(QStringLiteral("missing")));
}

// A card file that is missing or has fewer than 20 records is refused, naming the file,
// the item that names it and the records it has.
TEST(BoardReaderErrors, CardFiles) {
    BoardFolder folder;
    QFile::resize(folder.path(QStringLiteral("Treasure.crd")), 19 * kCardRecordSize + 10);
    QFile::remove(folder.path(QStringLiteral("Fortune.crd")));
    const BoardReadResult r = folder.read();
    ASSERT_EQ(r.problems.size(), 2u) << problemText(r).toStdString();
    const BoardProblem& missing = r.problems[0];
    EXPECT_EQ(missing.line, 6);
    EXPECT_EQ(missing.where, QStringLiteral("item 6 (card file 2)"));
    EXPECT_TRUE(missing.message.contains(QStringLiteral("\"Fortune.crd\" not found in")));
    const BoardProblem& shortFile = r.problems[1];
    EXPECT_EQ(shortFile.file, folder.path(QStringLiteral("Treasure.crd")));
    EXPECT_TRUE(shortFile.message.contains(QStringLiteral("19 whole records")));
}

// With the bankrupt card in the game, a missing second card file is still an error and
// never a fault: the built-in card has its place in a deck that could not be read.
TEST(BoardReaderErrors, MissingSecondDeckWithTheBankruptCard) {
    BoardFolder folder;
    QFile::remove(folder.path(QStringLiteral("Fortune.crd")));
    const BoardReadResult r = folder.read(true);
    ASSERT_EQ(r.problems.size(), 1u) << problemText(r).toStdString();
    EXPECT_EQ(r.problems[0].where, QStringLiteral("item 6 (card file 2)"));
    EXPECT_FALSE(r.board.has_value());
}

// Every picture must be a BMP of its exact size; wrong, broken or missing pictures are
// errors naming the file and the sizes.
TEST(BoardReaderErrors, Pictures) {
    BoardFolder folder;
    const QString image = folder.path(QStringLiteral("Image/"));
    ASSERT_TRUE(fixture::writeBlankBmp(image + QStringLiteral("Sides.bmp"), 192, 191));
    folder.writeBytes(QStringLiteral("Image/Places.bmp"), "hello, no picture");
    QFile::remove(image + QStringLiteral("CBlock.bmp"));
    const BoardReadResult r = folder.read();
    ASSERT_EQ(r.problems.size(), 3u) << problemText(r).toStdString();
    EXPECT_EQ(r.problems[0].file, image + QStringLiteral("Sides.bmp"));
    EXPECT_TRUE(r.problems[0].message.contains(
        QStringLiteral("192 x 192 pixels (6 x 6 cells of 32 x 32), found 192 x 191 pixels")));
    EXPECT_TRUE(r.problems[1].message.contains(QStringLiteral("not a BMP picture")));
    EXPECT_TRUE(r.problems[2].file.endsWith(QStringLiteral("CBlock.bmp")));
    EXPECT_TRUE(r.problems[2].message.contains(QStringLiteral("288 x 288")));
}

// Every fault of a board is reported at once, each in its place, not only the first.
TEST(BoardReaderErrors, AllProblemsAreCollected) {
    BoardFolder folder;
    QStringList l = folder.lines();
    l[0] = QStringLiteral("\"KOVARTX\"");
    folder.writeLines(l);
    folder.setLine(7 + 1, withField(folder, 1, 1, QStringLiteral("kind")));
    folder.setLine(7 + 30, withField(folder, 30, 11, QStringLiteral("12")));
    QFile::remove(folder.path(QStringLiteral("Image/Hblocks.bmp")));
    const BoardReadResult r = folder.read();
    ASSERT_EQ(r.problems.size(), 4u) << problemText(r).toStdString();
    EXPECT_TRUE(r.problems[0].warning);
    EXPECT_EQ(r.problems[1].line, 9);
    EXPECT_EQ(r.problems[2].line, 38);
    EXPECT_TRUE(r.problems[3].file.endsWith(QStringLiteral("Hblocks.bmp")));
    EXPECT_EQ(r.errorText().count(QLatin1Char('\n')), 2);
}

}  // namespace
}  // namespace kroda
