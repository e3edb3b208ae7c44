#include "platform/startup_clock.h"

#include <QElapsedTimer>
#include <QFile>
#include <QList>

#include <unistd.h>
#include <ctime>

namespace kroda {

namespace {

// The process's start in clock ticks after boot: field 22 of /proc/self/stat, counted after
// the command name, which may itself hold blanks and parentheses.
std::int64_t startTicks() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    if (close < 0)
        return -1;
    const QList<QByteArray> fields = text.mid(close + 2).split(' ');
    // Fields from the third on: index 0 here is field 3, so field 22 is index 19.
    if (fields.size() < 20)
        return -1;
    bool ok = false;
    const std::int64_t ticks = fields[19].toLongLong(&ok);
    return ok ? ticks : -1;
}

}  // namespace

std::int64_t msSinceProcessStart() {
    static QElapsedTimer sinceFirstCall = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    const std::int64_t ticks = startTicks();
    const long perSecond = sysconf(_SC_CLK_TCK);
    timespec now{};
    if (ticks < 0 || perSecond <= 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return sinceFirstCall.elapsed();
    const std::int64_t nowMs = std::int64_t{now.tv_sec} * 1000 + now.tv_nsec / 1000000;
    const std::int64_t startMs = ticks * 1000 / perSecond;
    return nowMs >= startMs ? nowMs - startMs : sinceFirstCall.elapsed();
}

}  // namespace kroda
