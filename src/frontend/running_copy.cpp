#include "frontend/running_copy.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>

namespace kroda {

namespace {
QString lockPath() {
    // Without XDG_RUNTIME_DIR Qt would make a folder of its own and say so on stderr. The
    // temporary folder is every user's: there the lock carries the user's number, so that one
    // user's game, or a lock left by it, never keeps another user from playing.
    const QString runtime = qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")
                                ? QString()
                                : QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return QDir(runtime).filePath(QStringLiteral("kroda.lock"));
    return QDir(QDir::tempPath()).filePath(QStringLiteral("kroda-%1.lock").arg(::getuid()));
}
}  // namespace

RunningCopyLock::RunningCopyLock(const QString& folder)
    : path_(folder.isEmpty() ? lockPath() : QDir(folder).filePath(QStringLiteral("kroda.lock"))),
      lock_(std::make_unique<QLockFile>(path_)) {
    // Age alone never makes a lock stale: a game may run for hours. A lock is stale when the
    // copy that wrote it is gone.
    lock_->setStaleLockTime(0);
}

RunningCopyLock::~RunningCopyLock() = default;

bool RunningCopyLock::acquire() {
    if (lock_->isLocked())
        return true;
    return lock_->tryLock(0);
}

QString RunningCopyLock::refusal() const {
    return QStringLiteral("kroda: another copy of the game is already running (lock %1)")
        .arg(path_);
}

}  // namespace kroda
