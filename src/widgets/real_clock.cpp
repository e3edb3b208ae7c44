#include "widgets/real_clock.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kroda::widgets {

RealClock::RealClock(Timers& timers, VirtualClock::Fire fire, double speed, QObject* parent)
    : QObject(parent), clock_(timers, std::move(fire)), speed_(speed > 0 ? speed : 1.0) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &RealClock::onTimeout);
    // A timer switched on from inside a tick is picked up when the tick returns; one switched
    // on by anything else (an answer to a dialog) needs the wait set again now.
    clock_.rescheduled = [this] {
        if (running_ && !inEngine_)
            schedule();
    };
}

void RealClock::start() {
    origin_ = clock_.now();
    elapsed_.start();
    realBase_ = realElapsed();
    running_ = true;
    schedule();
}

void RealClock::setSpeed(double speed) {
    if (!(speed > 0) || speed == speed_)
        return;
    if (running_) {
        catchUp();
        origin_ = clock_.now();
        realBase_ = realElapsed();
    }
    speed_ = speed;
    if (running_ && !inEngine_)
        schedule();
}

std::int64_t RealClock::realElapsed() const {
    if (elapsedSource)
        return elapsedSource();
    return elapsed_.isValid() ? elapsed_.elapsed() : 0;
}

void RealClock::catchUp() {
    if (!running_ || inEngine_)
        return;
    inEngine_ = true;
    const std::int64_t target =
        origin_ + static_cast<std::int64_t>(
                      std::floor(static_cast<double>(realElapsed() - realBase_) * speed_));
    const std::int64_t due = clock_.nextDue();
    // After a stall the game goes on from where it was, instead of replaying every tick.
    const auto stall = static_cast<std::int64_t>(static_cast<double>(kStallMs) * speed_);
    if (due >= 0 && target - due > stall) {
        const std::int64_t gap = target - clock_.now();
        clock_.skip(gap);
    }
    // Tick by tick, so that each one is followed by a settled moment.
    while (clock_.fireNext(target)) {
        if (settled)
            settled();
    }
    if (target > clock_.now())
        clock_.advance(target - clock_.now());
    inEngine_ = false;
}

void RealClock::deliver(const std::function<void()>& input) {
    catchUp();
    inEngine_ = true;
    input();
    if (settled)
        settled();
    inEngine_ = false;
    if (changed)
        changed();
    schedule();
}

void RealClock::schedule() {
    if (!running_)
        return;
    const std::int64_t due = clock_.nextDue();
    if (due < 0) {
        timer_.stop();  // nothing runs: the process sleeps until an input arrives
        return;
    }
    const double dueReal = static_cast<double>(due - origin_) / speed_;
    const auto wait = static_cast<std::int64_t>(
        std::ceil(dueReal - static_cast<double>(realElapsed() - realBase_)));
    timer_.start(static_cast<int>(std::clamp<std::int64_t>(wait, 0, 24 * 3600 * 1000)));
}

void RealClock::onTimeout() {
    const std::uint64_t before = clock_.ticksFired();
    catchUp();
    if (clock_.ticksFired() != before && changed)
        changed();
    schedule();
}

}  // namespace kroda::widgets
