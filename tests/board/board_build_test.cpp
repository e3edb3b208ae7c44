#include "source_text.h"

#include "board/board_dump.h"
#include "board/board_source.h"
#include "board/board_writer.h"
#include "model/board_reader.h"
#include "model/card_file.h"
#include "model/windows874.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kroda {
namespace {

BoardSource parsed(const QString& text) {
    const SourceParseResult r = parseBoardSource(text.toUtf8(), QStringLiteral("source"));
    EXPECT_TRUE(r.source) << r.errors.join(QLatin1Char('\n')).toStdString();
    return r.source.value_or(BoardSource{});
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// Building a source and dumping the loaded board gives back the same board, also for
// decimal and negative money, money at the board's limit, a quote in a card and a blank
// before a name.
TEST(BoardBuild, BuildThenDumpGivesTheSourceBack) {
    SourceText changed;
    changed.replace(QStringLiteral("square  1 "),
                    QStringLiteral("square 1 \" สาย, ใน\" Land 600.5 -0.0001 500 20 100 300 900 "
                                   "1600 1000000000 side 0"));
    changed.setLine(changed.nth(QStringLiteral("fortune "), 19),
                    QStringLiteral("fortune 9 -32768 \"\"\"quoted\"\" card\""));
    for (const QString& text : {SourceText().text(), changed.text()}) {
        QTemporaryDir dir;
        ASSERT_TRUE(fixture::makeBoardFolder(dir.path(), text));
        const BoardReadResult read = readBoard(fixture::boardFolderLocation(dir.path()), false);
        ASSERT_FALSE(read.hasErrors()) << read.errorText().toStdString();
        EXPECT_TRUE(read.problems.empty());
        const QString dumped = dumpBoardSource(*read.board);
        EXPECT_TRUE(sameBoard(parsed(dumped), parsed(text))) << dumped.toStdString();
    }
}

// KovarT.dat is windows-874 with CR LF breaks, one line per file item and per square, texts
// quoted; the card files hold twenty 260-byte records.
TEST(BoardBuild, FileLayout) {
    const BoardSource source = parsed(SourceText().text());
    const QByteArray config = configurationBytes(source);
    EXPECT_TRUE(config.startsWith("\"KOVART\"\r\n\"Corners.bmp\"\r\n\"Sides.bmp\"\r\n"));
    EXPECT_EQ(config.count("\r\n"), 47);
    EXPECT_EQ(config.count('\n'), 47);
    const QStringList lines = decodeWindows874(config).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 48);
    EXPECT_EQ(lines[6], QStringLiteral("\"\""));
    static const QRegularExpression squareLine(
        QStringLiteral("^\"[^\"]*\",[0-9],(-?[0-9.]+,){9}(9|10),[0-9]+$"));
    for (int i = 0; i < 40; ++i) {
        EXPECT_TRUE(squareLine.match(lines[7 + i]).hasMatch()) << lines[7 + i].toStdString();
        EXPECT_TRUE(lines[7 + i].startsWith(QLatin1Char('"') +
                                            source.squares[static_cast<std::size_t>(i)].name +
                                            QStringLiteral("\",")));
    }
    EXPECT_EQ(lines[47], QString());

    const QByteArray cards = cardFileBytes(source.fortune);
    ASSERT_EQ(cards.size(), 20 * kCardRecordSize);
    const Card fourth = decodeCardRecord(cards.mid(3 * kCardRecordSize, kCardRecordSize));
    EXPECT_EQ(fourth.Action, source.fortune[3].action);
    EXPECT_EQ(fourth.Amount, source.fortune[3].amount);
    EXPECT_EQ(fourth.Text.rightTrimmed(), source.fortune[3].text);
}

// A build that fails leaves the board of an earlier build as it was, with no stray files.
TEST(BoardBuild, FailedBuildLeavesNoPartialBoard) {
    QTemporaryDir dir;
    const BoardSource good = parsed(SourceText().text());
    ASSERT_TRUE(writeBoardFiles(good, dir.path()).isEmpty());
    const QByteArray before = fileBytes(dir.filePath(QStringLiteral("KovarT.dat")));

    BoardSource other = good;
    other.squares[1].price = Currency::fromUnits(1);
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("Fortune.crd"))));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Fortune.crd")));
    const QStringList errors = writeBoardFiles(other, dir.path());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("Fortune.crd")));
    EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("KovarT.dat"))), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("KovarT.dat"), QStringLiteral("Treasure.crd")}));

    // Card files in a folder of their own are written into it.
    other.treasureFile = QStringLiteral("Cards\\T.crd");
    other.fortuneFile = QStringLiteral("Cards/F.crd");
    EXPECT_TRUE(writeBoardFiles(other, dir.filePath(QStringLiteral("new"))).isEmpty());
    EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("new/Cards/F.crd"))).size(),
              20 * kCardRecordSize);
}

}  // namespace
}  // namespace kroda
