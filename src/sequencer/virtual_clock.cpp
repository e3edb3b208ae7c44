#include "sequencer/virtual_clock.h"

#include <utility>

namespace kroda {

VirtualClock::VirtualClock(Timers& timers, Fire fire) : timers_(timers), fire_(std::move(fire)) {
    timers_.bind(this);
    for (int i = 0; i < kTimerCount; ++i) {
        if (timers_[static_cast<TimerId>(i)].Enabled())
            timerRestarted(static_cast<TimerId>(i));
    }
}

VirtualClock::~VirtualClock() {
    timers_.bind(nullptr);
}

void VirtualClock::timerRestarted(TimerId id) {
    due_[static_cast<int>(id)] = now_ + timers_[id].Interval();
    if (rescheduled)
        rescheduled();
}

std::int64_t VirtualClock::nextDue() const {
    std::int64_t next = -1;
    for (int i = 0; i < kTimerCount; ++i) {
        const LogicalTimer& t = timers_[static_cast<TimerId>(i)];
        if (t.Enabled() && t.Interval() > 0 && (next < 0 || due_[i] < next))
            next = due_[i];
    }
    return next;
}

void VirtualClock::skip(std::int64_t ms) {
    now_ += ms;
    for (std::int64_t& due : due_) due += ms;
}

void VirtualClock::timerStopped(TimerId) {}

bool VirtualClock::fireNext(std::int64_t until) {
    int next = -1;
    for (int i = 0; i < kTimerCount; ++i) {
        const LogicalTimer& t = timers_[static_cast<TimerId>(i)];
        if (!t.Enabled() || t.Interval() <= 0)
            continue;
        if (next < 0 || due_[i] < due_[next])
            next = i;
    }
    if (next < 0 || due_[next] > until)
        return false;
    const std::int64_t at = due_[next];
    now_ = at;
    ++ticks_;
    fire_(static_cast<TimerId>(next));
    // A tick that did not restart its own timer schedules the next one an interval on.
    const LogicalTimer& t = timers_[static_cast<TimerId>(next)];
    if (t.Enabled() && due_[next] == at)
        due_[next] = at + t.Interval();
    return true;
}

void VirtualClock::advance(std::int64_t ms) {
    const std::int64_t until = now_ + ms;
    while (fireNext(until)) {
    }
    now_ = until;
}

bool VirtualClock::advanceUntil(const std::function<bool()>& done, std::int64_t limit) {
    const std::int64_t until = now_ + limit;
    while (!done()) {
        if (!fireNext(until)) {
            now_ = until;
            return done();
        }
    }
    return true;
}

}  // namespace kroda
