// A seeded game of four computers on the default board repeats its checked-in narration.

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

const QString kGameFolder = QStringLiteral(KRODA_GAME_DIR);
const QString kLog = QStringLiteral(KRODA_SOURCE_DIR "/tests/golden/four-computers.log");

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// The driver's whole output for the checked-in script, played from this build's game folder.
QByteArray play() {
    const QByteArray script =
        "folder " + kGameFolder.toUtf8() + "\n" +
        readFile(QStringLiteral(KRODA_SOURCE_DIR "/tests/golden/four-computers.script"));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.remove(QStringLiteral("LANG"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(kGameFolder);
    p.start(QStringLiteral(KRODA_HEADLESS_PROGRAM), {QStringLiteral("--narration")});
    p.write(script);
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return p.readAllStandardOutput();
}

const QByteArray& transcript() {
    static const QByteArray out = play();
    return out;
}

// The narration matches the checked-in log line for line; KRODA_UPDATE_GOLDEN=1 rewrites it.
TEST(Golden, MatchesTheTranscript) {
    const QByteArray& got = transcript();
    ASSERT_FALSE(got.isEmpty());
    if (qEnvironmentVariableIntValue("KRODA_UPDATE_GOLDEN") == 1) {
        QFile f(kLog);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(got);
        GTEST_SKIP() << "rewrote " << kLog.toStdString();
    }
    const QByteArray want = readFile(kLog);
    ASSERT_FALSE(want.isEmpty()) << "no " << kLog.toStdString();
    const QList<QByteArray> a = want.split('\n'), b = got.split('\n');
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i)
        ASSERT_EQ(a[i].toStdString(), b[i].toStdString()) << "first difference at line " << i + 1;
    EXPECT_EQ(a.size(), b.size());
}

// The same seed plays the same game twice.
TEST(Golden, RepeatsExactly) {
    EXPECT_EQ(play(), transcript());
}

// The game ends with the winner named in step 17, and the driver reports the same player.
TEST(Golden, NamesTheWinner) {
    const QList<QByteArray> lines = transcript().trimmed().split('\n');
    ASSERT_GE(lines.size(), 6);
    const QString last = QString::fromUtf8(lines[lines.size() - 5]);
    const QString winner = QString::fromUtf8(lines[lines.size() - 2]);
    EXPECT_EQ(lines[lines.size() - 3], "17");  // TalkStep
    EXPECT_EQ(lines[lines.size() - 1], "3");   // BankruptCount
    EXPECT_TRUE(last.endsWith(QStringLiteral(" 17 'ผู้เล่น:%1' เป็นผู้ชนะ").arg(winner)))
        << last.toStdString();
}

}  // namespace
