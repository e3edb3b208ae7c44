// The script language: lines, comments, set-up commands, errors and exit statuses.

#include "driver_harness.h"

#include "headless/session.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kroda::headless::testing {
namespace {

// Comments and blank lines are skipped; only get prints; '#' inside quotes is text.
TEST(Script, SkipsCommentsAndBlanksAndPrintsOnlyWhatIsAsked) {
    const ScriptOutcome r = runScript(
        "# a whole-line comment\n"
        "\n"
        "   \t \n"
        "players 3   # how many play\n"
        "set TxtDialog.Text \"a # b\"\n"
        "get PlayerCount\r\n"
        "get TxtDialog.Text\n",
        emptyFolder());
    EXPECT_EQ(r.status, ExitOk) << r.err;
    EXPECT_EQ(r.out, "3\na # b\n");
    EXPECT_EQ(r.err, "");
}

// A bad line is reported with its number, the script stops there and the status is 1.
TEST(Script, ReportsTheFirstBadLineAndStops) {
    struct Case {
        const char* line;
        const char* message;
    };
    const Case cases[] = {
        {"frobnicate", "unknown command \"frobnicate\""},
        {"get Players(5).Name", "unknown path"},
        {"get Players(1).Name extra", "usage: get PATH"},
        {"set Die1 40000", "outside -32768..32767"},
        {"set Sounds x", "cannot be written"},
        {"players 5", "the number of players"},
        {"human 0 Somchai", "a player"},
        {"bankruptcard maybe", "bankruptcard on|off"},
        {"dice 3 7", "a die"},
        {"answer maybe", "answer yes|no|wrong"},
        {"advance 10", "has not started"},
        {"wait", "has not started"},
        {"key 65", "has not started"},
        {"simulate 0", "the number of games"},
        {"folder /no/such/folder/anywhere", "no folder"},
        {"Get PlayerCount", "unknown command"},
    };
    for (const Case& c : cases) {
        const ScriptOutcome r = runScript(
            std::string("get PlayerCount\n\n") + c.line + "\nget PlayerCount\n", emptyFolder());
        EXPECT_EQ(r.status, ExitBadScript) << c.line;
        EXPECT_EQ(r.out, "0\n") << c.line;
        EXPECT_EQ(r.err.rfind("test:3: ", 0), 0u) << c.line << ": " << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.line << ": " << r.err;
    }
}

// human, computer and strong set a seat up as the wizard's pages do: trimmed name cut to 12,
// the seat's colour, and keys for a person only.
TEST(Script, SetsSeatsUpAsTheWizardDoes) {
    const ScriptOutcome r = runScript(
        "human 1   Somchai Jaidee Long  \n"
        "computer 2\n"
        "human 3 \"สมหญิง\"\n"
        "get Players(1).Name\n"
        "get Players(1).Color\n"
        "get Players(1).IsHuman\n"
        "get Players(1).KeyCode(2)\n"
        "get Players(1).KeyLabel(3)\n"
        "get Players(2).Name\n"
        "get Players(2).IsHuman\n"
        "get Players(2).Color\n"
        "get Players(2).KeyCode(1)\n"
        "get Players(3).Name\n"
        "get Players(3).KeyCode(1)\n"
        "get Players(3).KeyLabel(1)\n"
        "strong 4 \"เก่ง\"\n"
        "get Players(4).Name\n"
        "get Players(4).IsHuman\n"
        "get Players(4).Strong\n"
        "get Players(2).Strong\n"
        "get Players(1).Strong\n",
        emptyFolder());
    ASSERT_EQ(r.status, ExitOk) << r.err;
    EXPECT_EQ(r.out,
              "Somchai Jaid\n"
              "255\n"
              "true\n"
              "68\n"
              "F         \n"
              "ผู้เล่น:2   \n"
              "false\n"
              "65280\n"
              "0\n"
              "สมหญิง      \n"
              "37\n"
              "ซ้าย      \n"
              "เก่ง        \n"
              "false\n"
              "true\n"
              "false\n"
              "false\n");
}

// start reads the board of the folder; a folder without one ends the driver with status 3
// and the reader's message on standard error.
TEST(Script, StartWithoutABoardEndsWithTheBoardStatus) {
    const ScriptOutcome r = runScript("start\nget PlayerCount\n", emptyFolder());
    EXPECT_EQ(r.status, ExitBadBoard);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err, "");
}

// start hands the game over as the wizard does; the set-up commands are then refused.
TEST(Script, StartLoadsTheBoardAndClosesTheSetUp) {
    const ScriptOutcome r = runScript(
        "players 2\nseed 4\nstart\n"
        "get NewBoard\nget PlayerCount\nget Players(1).Money\nget Players(3).Money\n"
        "get TalkStep\n"
        "computer 1\n",
        boardFolder());
    EXPECT_EQ(r.status, ExitBadScript);
    EXPECT_EQ(r.out, "true\n2\n15000\n0\n1\n");
    EXPECT_NE(r.err.find("test:9: computer comes before start"), std::string::npos) << r.err;
}

// The program itself: a script file or standard input, and its exit statuses.
TEST(Script, ProgramExitStatuses) {
    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("s.txt"));
    {
        QFile f(script);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("players 3\nget PlayerCount\n");
    }
    const auto run = [&](const QStringList& args, const QByteArray& input) {
        QProcess p;
        p.start(QStringLiteral(KRODA_HEADLESS_PROGRAM), args);
        p.write(input);
        p.closeWriteChannel();
        p.waitForFinished(30000);
        return std::make_tuple(p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError());
    };
    auto [status, out, err] = run({script}, {});
    EXPECT_EQ(status, ExitOk);
    EXPECT_EQ(out, "3\n");

    std::tie(status, out, err) = run({}, "get PlayerCount\nnope\n");
    EXPECT_EQ(status, ExitBadScript);
    EXPECT_EQ(out, "0\n");
    EXPECT_TRUE(err.startsWith("<stdin>:2: unknown command")) << err.toStdString();

    std::tie(status, out, err) = run({QStringLiteral("--fast")}, {});
    EXPECT_EQ(status, ExitUsage);
    std::tie(status, out, err) = run({dir.filePath(QStringLiteral("missing.txt"))}, {});
    EXPECT_EQ(status, ExitUsage);
}

}  // namespace
}  // namespace kroda::headless::testing
