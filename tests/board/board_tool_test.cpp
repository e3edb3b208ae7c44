#include "source_text.h"

#include "board/board_tool.h"
#include "model/card_file.h"
#include "model/windows874.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kroda {
namespace {

struct ToolRun {
    int status;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList& args) {
    ToolRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.status = runBoardTool(args, out, err);
    out.flush();
    err.flush();
    return run;
}

ToolRun runProgram(const QStringList& args) {
    QProcess p;
    p.start(fixture::gameFolder() + QStringLiteral("/kroda-board"), args);
    EXPECT_TRUE(p.waitForFinished(30000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// check warns of hotels and utilities off their positions, card squares whose deck has no
// text, a wrong mark, and unassigned bytes and control characters in texts, naming the
// square or the card; and still passes such a board.
TEST(BoardTool, CheckWarnings) {
    SourceText source;
    source.replace(QStringLiteral("mark"), QStringLiteral("mark \"Kovart\""));
    source.replace(QStringLiteral("square  5 "),
                   QStringLiteral("square 5 \"h\" Land 2000 0 0 250 500 1000 2000 3000 0 side 4"));
    source.replace(
        QStringLiteral("square  6 "),
        QStringLiteral("square 6 \"h\" HotelSite 2000 0 0 250 500 1000 2000 3000 0 side 5"));
    source.replace(QStringLiteral("square 13 "),
                   QStringLiteral("square 13 \"p\" PairSite 1500 0 0 400 1000 0 0 0 0 side 11"));
    for (int k = 0; k < 20; ++k)
        source.setLine(source.nth(QStringLiteral("treasure "), k),
                       QStringLiteral("treasure pay 0 \"\""));
    QTemporaryDir dir;
    ASSERT_TRUE(fixture::makeBoardFolder(dir.path(), source.text()));
    {
        QFile f(dir.filePath(QStringLiteral("KovarT.dat")));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        QByteArray bytes = f.readAll();
        bytes.replace("\"h\"", "\"h\xFF\"");
        bytes.replace("\"p\"", "\"p\x07\"");
        f.seek(0);
        f.write(bytes);
    }
    {
        QFile f(dir.filePath(QStringLiteral("Fortune.crd")));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(kCardRecordSize + 1);
        f.write("\x1B");
    }
    const ToolRun run = runTool({QStringLiteral("check"), dir.path()});
    EXPECT_EQ(run.status, 0) << run.out.toStdString();
    const QStringList wanted = {
        QStringLiteral(":1: warning: item 1 (file mark): expected \"KOVART\", found \"Kovart\""),
        QStringLiteral(":13: warning: item 73 (name of square index 5): the text holds a byte "
                       "that windows-874 leaves unassigned"),
        QStringLiteral(":14: warning: item 86 (name of square index 6): the text holds a byte "
                       "that windows-874 leaves unassigned"),
        QStringLiteral(":21: warning: item 177 (name of square index 13): the text holds a "
                       "control character: \"p\\x07\""),
        QStringLiteral("Fortune.crd: warning: record 2: the text holds a control character"),
        QStringLiteral(
            "warning: square index 5 \"h\uFFFD\": position 5 of the HotelSite group holds a Land"),
        QStringLiteral(
            "warning: square index 6 \"h\uFFFD\": a HotelSite off the positions 4, 5, 15, 25, 35"),
        QStringLiteral(
            "warning: square index 13 \"p\\x07\": a PairSite off the positions 12 and 28"),
        QStringLiteral("Treasure.crd: warning: the board has TreasureCard squares but no treasure "
                       "card has a text"),
        QStringLiteral("0 errors, 9 warnings"),
    };
    for (const QString& w : wanted)
        EXPECT_TRUE(run.out.contains(w)) << w.toStdString() << "\nin\n" << run.out.toStdString();
}

// The program's exit status: 0 done, 1 a board with errors, 2 bad usage; a clean board
// checks as "no problems" and dumps as a source that builds again.
TEST(BoardTool, ProgramExitStatus) {
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("board.kroda"));
    {
        QFile f(source);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(SourceText().utf8());
    }
    const QString board = dir.filePath(QStringLiteral("board"));
    EXPECT_EQ(runProgram({QStringLiteral("--help")}).status, 0);
    EXPECT_TRUE(runProgram({QStringLiteral("--help")}).out.contains(QStringLiteral("usage")));
    EXPECT_EQ(runProgram({}).status, 2);
    EXPECT_EQ(runProgram({QStringLiteral("build"), source}).status, 2);
    EXPECT_EQ(runProgram({QStringLiteral("paint"), board}).status, 2);

    ASSERT_EQ(runProgram({QStringLiteral("build"), source, board}).status, 0);
    ASSERT_TRUE(
        fixture::writeBoardPictures(board + QStringLiteral("/Image"), QStringLiteral("Corners.bmp"),
                                    QStringLiteral("Sides.bmp"), QStringLiteral("Places.bmp")));
    const ToolRun clean = runProgram({QStringLiteral("check"), board});
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out, QStringLiteral("no problems\n"));
    const ToolRun dumped = runProgram({QStringLiteral("dump"), board});
    EXPECT_EQ(dumped.status, 0);
    EXPECT_TRUE(dumped.out.contains(QStringLiteral("\nsquare 39 \"")));
    EXPECT_TRUE(dumped.out.endsWith(QStringLiteral("\"\n")));

    QFile::remove(board + QStringLiteral("/Image/Places.bmp"));
    const ToolRun broken = runProgram({QStringLiteral("check"), board});
    EXPECT_EQ(broken.status, 1);
    EXPECT_TRUE(broken.out.contains(QStringLiteral("1 error, 0 warnings")));
    EXPECT_EQ(runProgram({QStringLiteral("dump"), board}).status, 1);

    {
        QFile f(source);
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("square 40\n");
    }
    const ToolRun refused =
        runProgram({QStringLiteral("build"), source, dir.filePath(QStringLiteral("other"))});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(source + QStringLiteral(":"))) << refused.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("other/KovarT.dat"))));
}

}  // namespace
}  // namespace kroda
