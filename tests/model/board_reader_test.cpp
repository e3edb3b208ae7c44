#include "board_folder.h"

#include "model/card_file.h"

#include <QDir>

namespace kroda {
namespace {

// The default board loads whole: mark, file names, every square, picture and card as its
// source states them.
TEST(BoardReader, DefaultBoardLoads) {
    BoardFolder folder;
    const BoardSource source = defaultSource();
    ASSERT_EQ(source.squares.size(), 40u);
    const BoardReadResult r = folder.read();
    ASSERT_FALSE(r.hasErrors()) << problemText(r).toStdString();
    EXPECT_TRUE(r.problems.empty()) << problemText(r).toStdString();
    const LoadedBoard& b = *r.board;
    EXPECT_TRUE(b.markOk);
    EXPECT_EQ(b.Config.Deck1File.trimmed(), source.treasureFile);
    EXPECT_EQ(b.Config.StripFile3.trimmed(), source.illustrations);
    EXPECT_EQ(b.Config.ConfigPath.trimmed(), folder.path(QStringLiteral("KovarT.dat")));
    for (int i = 0; i < 40; ++i) {
        SCOPED_TRACE(i);
        const SourceSquare& want = source.squares[static_cast<std::size_t>(i)];
        const Square& got = b.Squares(i + 1);
        EXPECT_EQ(got.Name.trimmed(), want.name);
        EXPECT_EQ(got.Kind, want.kind);
        EXPECT_EQ(got.Price, want.price);
        EXPECT_EQ(got.HouseCost, want.houseCost);
        EXPECT_EQ(got.HotelCost, want.hotelCost);
        for (int k = 1; k <= 6; ++k)
            EXPECT_EQ(got.Rent(k), want.rents[static_cast<std::size_t>(k - 1)]);
        EXPECT_EQ(got.Rent(0), Currency{});
        EXPECT_EQ(b.Pictures[static_cast<std::size_t>(i)].Holder, want.holder);
        EXPECT_EQ(b.Pictures[static_cast<std::size_t>(i)].Cell, want.cell);
    }
    ASSERT_EQ(b.Deck1.size(), 20);
    ASSERT_EQ(b.Deck2.size(), 20);
    for (int k = 1; k <= 20; ++k) {
        const SourceCard& want = source.fortune[static_cast<std::size_t>(k - 1)];
        EXPECT_EQ(b.Deck2(k).Text.trimmed(), want.text);
        EXPECT_EQ(b.Deck2(k).Action, want.action);
        EXPECT_EQ(b.Deck2(k).Amount, want.amount);
        EXPECT_EQ(b.Deck1(k).Text.trimmed(), source.treasure[static_cast<std::size_t>(k - 1)].text);
    }
    EXPECT_TRUE(b.CornerPicturePath.endsWith(QStringLiteral("/Image/") + source.corners));
}

// A wrong mark (here in lower case) is no error: the board loads with markOk false.
TEST(BoardReader, WrongMarkLoadsWithFlag) {
    BoardFolder folder;
    folder.setLine(0, QStringLiteral("\"kovart\""));
    const BoardReadResult r = folder.read();
    ASSERT_FALSE(r.hasErrors()) << problemText(r).toStdString();
    EXPECT_FALSE(r.board->markOk);
    EXPECT_EQ(r.board->mark, QStringLiteral("kovart"));
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_TRUE(r.problems[0].warning);
    EXPECT_EQ(r.problems[0].line, 1);
}

// The 21st card is the built-in bankrupt card, never the file's 21st record.
TEST(BoardReader, BankruptCardIsBuiltIn) {
    BoardFolder folder;
    QFile f(folder.path(QStringLiteral("Fortune.crd")));
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write(encodeCardRecord("extra", 1, 777));
    f.close();
    const BoardReadResult r = folder.read(true);
    ASSERT_FALSE(r.hasErrors()) << problemText(r).toStdString();
    const Deck& d2 = r.board->Deck2;
    ASSERT_EQ(d2.size(), 21);
    EXPECT_EQ(d2(21).Text.trimmed(), builtInBankruptCard().Text.trimmed());
    EXPECT_EQ(d2(21).Action, 9);
    EXPECT_EQ(d2(21).Amount, 0);
    EXPECT_EQ(r.board->Deck1.size(), 20);
}

// Names are kept to 30 characters (a longer one is noted) and padded when shorter.
TEST(BoardReader, SquareNamesAreText30) {
    BoardFolder folder;
    QStringList l = folder.lines();
    const QString name35 = QStringLiteral("ก").repeated(30) + QStringLiteral("12345");
    l[8] = QLatin1Char('"') + name35 + l[8].mid(l[8].indexOf(QStringLiteral("\",")));
    l[9] = QStringLiteral("\"Short\"") + l[9].mid(l[9].indexOf(QStringLiteral("\",")) + 1);
    folder.writeLines(l);
    const BoardReadResult r = folder.read();
    ASSERT_FALSE(r.hasErrors()) << problemText(r).toStdString();
    EXPECT_EQ(r.board->Squares(2).Name.raw(), name35.left(30));
    EXPECT_EQ(r.board->Squares(3).Name.raw(), QStringLiteral("Short").leftJustified(30));
    EXPECT_EQ(r.board->Squares(3).Name.trimmed(), QStringLiteral("Short"));
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_TRUE(r.problems[0].warning);
    EXPECT_EQ(r.problems[0].line, 9);
}

// CR LF, LF and CR line breaks read the same board.
TEST(BoardReader, AnyLineBreak) {
    BoardFolder folder;
    const QStringList l = folder.lines();
    const BoardSource source = defaultSource();
    for (const QString& eol : {QStringLiteral("\n"), QStringLiteral("\r")}) {
        folder.writeLines(l, eol);
        const BoardReadResult r = folder.read();
        ASSERT_FALSE(r.hasErrors()) << problemText(r).toStdString();
        EXPECT_EQ(r.board->Squares(40).Rent(6), source.squares[39].rents[5]);
        EXPECT_EQ(r.board->Pictures[39].Cell, source.squares[39].cell);
    }
    // All on one line, with commas only.
    QStringList joined = l;
    for (QString& s : joined) s += QLatin1Char(',');
    folder.writeLines({joined.join(QString())});
    EXPECT_FALSE(folder.read().hasErrors());
}

// A quoted name may hold a comma; written without quotes the comma splits it and every
// later item shifts, so the next number item meets text.
TEST(BoardReader, CommasInNames) {
    BoardFolder folder;
    const QString rest =
        folder.lines()[7 + 3].mid(folder.lines()[7 + 3].indexOf(QStringLiteral("\",")) + 1);
    folder.setLine(7 + 3, QStringLiteral("\"Surin, East\"") + rest);
    BoardReadResult r = folder.read();
    ASSERT_FALSE(r.hasErrors()) << problemText(r).toStdString();
    EXPECT_EQ(r.board->Squares(4).Name.trimmed(), QStringLiteral("Surin, East"));

    folder.setLine(7 + 3, QStringLiteral("Surin, East") + rest);
    r = folder.read();
    ASSERT_TRUE(r.hasErrors());
    EXPECT_FALSE(r.board.has_value());
    const BoardProblem& p = r.problems.front();
    EXPECT_EQ(p.line, 11);
    EXPECT_EQ(p.where, QStringLiteral("item 48 (kind of square index 3 \"Surin\")"));
    EXPECT_TRUE(p.message.contains(QStringLiteral("\"East\""))) << p.message.toStdString();
}

// A byte the code page leaves unassigned becomes U+FFFD and is a warning with its line.
TEST(BoardReader, UnassignedByteIsAWarning) {
    BoardFolder folder;
    QStringList l = folder.lines();
    l[7 + 5] = QStringLiteral("\"X~\"") + l[7 + 5].mid(l[7 + 5].indexOf(QStringLiteral("\",")) + 1);
    Encoded874 enc = encodeWindows874(l.join(QStringLiteral("\r\n")));
    ASSERT_TRUE(enc.ok());
    enc.bytes[enc.bytes.indexOf('~')] = static_cast<char>(0xDB);
    folder.writeBytes(QStringLiteral("KovarT.dat"), enc.bytes);
    const BoardReadResult r = folder.read();
    ASSERT_FALSE(r.hasErrors()) << problemText(r).toStdString();
    EXPECT_EQ(r.board->Squares(6).Name.trimmed(), QStringLiteral("X") + QChar(kUnassigned874));
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].line, 13);
}

// Card files are found beside the program even when the current folder is elsewhere and
// holds card files of the same names.
TEST(BoardReader, CardFilesResolveAgainstTheApplicationFolder) {
    BoardFolder folder;
    QTemporaryDir elsewhere;
    QFile decoy(elsewhere.filePath(QStringLiteral("Treasure.crd")));
    ASSERT_TRUE(decoy.open(QIODevice::WriteOnly));
    for (int k = 0; k < 20; ++k) decoy.write(encodeCardRecord("decoy", 0, 0));
    decoy.close();
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    const BoardReadResult r = folder.read();
    QDir::setCurrent(before);
    ASSERT_FALSE(r.hasErrors()) << problemText(r).toStdString();
    EXPECT_NE(r.board->Deck1(1).Text.trimmed(), QStringLiteral("decoy"));
}

// Names may use `\` and another letter case than the disk; an exact name wins over a
// case-blind one; absolute and drive-letter names are refused.
TEST(BoardReader, BoardPaths) {
    BoardFolder folder;
    ASSERT_TRUE(QDir(folder.dir()).mkpath(QStringLiteral("Cards/Deck")));
    ASSERT_TRUE(QFile::rename(folder.path(QStringLiteral("Treasure.crd")),
                              folder.path(QStringLiteral("Cards/Deck/Treasure.crd"))));
    QFile::copy(folder.path(QStringLiteral("Cards/Deck/Treasure.crd")),
                folder.path(QStringLiteral("Cards/Deck/TREASURE.crd")));
    QStringList l = folder.lines();
    l[1] = QStringLiteral("\"CORNERS.BMP\"");
    l[4] = QStringLiteral("\"cards\\Deck\\TREASURE.crd\"");
    l[5] = QStringLiteral("\".\\fortune.crd\"");
    folder.writeLines(l);
    {
        QFile exact(folder.path(QStringLiteral("Cards/Deck/TREASURE.crd")));
        ASSERT_TRUE(exact.open(QIODevice::WriteOnly | QIODevice::Truncate));
        for (int k = 0; k < 20; ++k) exact.write(encodeCardRecord("exact", 0, 0));
    }
    BoardReadResult r = folder.read();
    ASSERT_FALSE(r.hasErrors()) << problemText(r).toStdString();
    EXPECT_EQ(r.board->Deck1(1).Text.trimmed(), QStringLiteral("exact"));
    EXPECT_TRUE(r.board->CornerPicturePath.endsWith(QStringLiteral("/Image/Corners.bmp")));

    l[4] = QStringLiteral("\"C:\\Kroda\\Treasure.crd\"");
    l[5] = QStringLiteral("\"\\Kroda\\Fortune.crd\"");
    l[2] = QStringLiteral("\"..\\Image\\Sides.bmp\"");
    folder.writeLines(l);
    r = folder.read();
    const QString text = problemText(r);
    EXPECT_TRUE(r.hasErrors());
    EXPECT_TRUE(text.contains(QStringLiteral("drive-letter"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("absolute"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("leaves the board's folder"))) << text.toStdString();

    // The configuration file itself may differ in letter case too.
    l[1] = QStringLiteral("\"Corners.bmp\"");
    l[2] = QStringLiteral("\"Sides.bmp\"");
    l[4] = QStringLiteral("\"cards\\Deck\\TREASURE.crd\"");
    l[5] = QStringLiteral("\"Fortune.crd\"");
    folder.writeLines(l);
    ASSERT_TRUE(QFile::rename(folder.path(QStringLiteral("KovarT.dat")),
                              folder.path(QStringLiteral("KOVART.DAT"))));
    r = folder.read();
    EXPECT_FALSE(r.hasErrors()) << problemText(r).toStdString();
}

}  // namespace
}  // namespace kroda
