// The running-copy check with real processes: a second copy is refused with status 0 and one
// line on stderr; the lock of a killed copy is taken over.
#include "frontend/running_copy.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kroda {
namespace {

// Starts the probe, which takes the lock in `folder` like the game does.
std::unique_ptr<QProcess> startProbe(const QString& folder) {
    auto probe = std::make_unique<QProcess>();
    probe->setProgram(QStringLiteral(KRODA_LOCK_PROBE));
    probe->setArguments({folder});
    probe->start();
    probe->waitForStarted(10000);
    return probe;
}

bool holds(QProcess& probe) {
    if (!probe.waitForReadyRead(10000))
        return false;
    return probe.readAllStandardOutput().startsWith("held");
}

TEST(RunningCopy, SecondCopyIsRefusedAndAStaleLockTakenOver) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto first = startProbe(dir.path());
    ASSERT_TRUE(holds(*first));

    auto second = startProbe(dir.path());
    ASSERT_TRUE(second->waitForFinished(10000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_TRUE(second->readAllStandardOutput().isEmpty());
    const QByteArray err = second->readAllStandardError();
    EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
    EXPECT_TRUE(err.contains("already running")) << err.toStdString();

    // Killed without a chance to clean up: its lock file stays behind.
    first->kill();
    first->waitForFinished(10000);
    EXPECT_TRUE(QFile::exists(QDir(dir.path()).filePath(QStringLiteral("kroda.lock"))));
    auto third = startProbe(dir.path());
    EXPECT_TRUE(holds(*third));
    third->closeWriteChannel();
    ASSERT_TRUE(third->waitForFinished(10000));
    EXPECT_EQ(third->exitCode(), 0);
    EXPECT_FALSE(QFile::exists(QDir(dir.path()).filePath(QStringLiteral("kroda.lock"))))
        << "a copy that ends normally removes its lock";
}

// A lock file naming a process that no longer exists is stale, whatever its age.
TEST(RunningCopy, LockOfAVanishedProcessIsTakenOver) {
    QTemporaryDir dir;
    QProcess gone;
    gone.start(QStringLiteral("sleep"), {QStringLiteral("0.2")});
    ASSERT_TRUE(gone.waitForStarted(10000));
    const qint64 pid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished(10000));
    QFile file(QDir(dir.path()).filePath(QStringLiteral("kroda.lock")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::number(pid) + "\nkroda\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    file.close();
    file.setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
    auto probe = startProbe(dir.path());
    EXPECT_TRUE(holds(*probe));
    probe->closeWriteChannel();
    EXPECT_TRUE(probe->waitForFinished(10000));
}

}  // namespace
}  // namespace kroda
