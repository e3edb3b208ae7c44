#include "support/wait_until.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QThread>

#include <gtest/gtest.h>

namespace kroda::testing {

namespace {

void spinOnce(const QDeadlineTimer& deadline) {
    const auto left = static_cast<int>(qBound(qint64{0}, deadline.remainingTime(), qint64{10}));
    QCoreApplication::processEvents(QEventLoop::AllEvents, left);
    // Windows closed with deleteLater are gone only once the deferred deletes have run.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (left > 0)
        QThread::msleep(static_cast<unsigned long>(qMin(left, 5)));
}

}  // namespace

bool waitUntil(const std::function<bool()>& done, int ms, const char* what) {
    const QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired()) {
            ADD_FAILURE() << "waited " << ms << " ms in vain for " << what;
            return false;
        }
        spinOnce(deadline);
    }
    return true;
}

}  // namespace kroda::testing
