#include "frontend/running_copy.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace kroda {

namespace {
QString lockFolder() {
    // Without XDG_RUNTIME_DIR Qt would make a folder of its own and say so on stderr.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return QDir::tempPath();
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}
}  // namespace

RunningCopyLock::RunningCopyLock(const QString& folder)
    : path_(QDir(folder.isEmpty() ? lockFolder() : folder).filePath(QStringLiteral("kroda.lock"))),
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
