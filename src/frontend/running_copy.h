#pragma once
// The running-copy check at start-up: one lock file in the user's runtime folder (the temp
// folder, under the user's number, when there is none). A lock left by a copy that crashed
// or was killed is taken over; a lock held by a running copy refuses this one.

#include <QString>

#include <memory>

class QLockFile;

namespace kroda {

class RunningCopyLock {
  public:
    // `folder` empty: the runtime folder, else the temp folder.
    explicit RunningCopyLock(const QString& folder = QString());
    ~RunningCopyLock();
    RunningCopyLock(const RunningCopyLock&) = delete;
    RunningCopyLock& operator=(const RunningCopyLock&) = delete;

    // True when this copy holds the lock now, for as long as the object lives.
    bool acquire();
    QString path() const { return path_; }
    // The one line a refused copy prints on stderr.
    QString refusal() const;

  private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace kroda
