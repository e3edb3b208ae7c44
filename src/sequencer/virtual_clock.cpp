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
    const int interval = timers_[id].Interval();
    due_[static_cast<int>(id)] = interval > 0 ? now_ + interval : kNever;
    if (rescheduled)
        rescheduled();
}

void VirtualClock::timerStopped(TimerId id) {
    due_[static_cast<int>(id)] = kNever;
}

int VirtualClock::firstDue() const {
    int first = 0;
    for (int i = 1; i < kTimerCount; ++i) {
        if (due_[i] < due_[first])
            first = i;
    }
    return first;
}

std::int64_t VirtualClock::nextDue() const {
    const std::int64_t next = due_[firstDue()];
    return next == kNever ? -1 : next;
}

std::int64_t VirtualClock::dueAt(TimerId id) const {
    const std::int64_t at = due_[static_cast<int>(id)];
    return at == kNever ? -1 : at;
}

void VirtualClock::restore(std::int64_t now, std::uint64_t ticks,
                           const std::int64_t (&due)[kTimerCount]) {
    now_ = now;
    ticks_ = ticks;
    for (int i = 0; i < kTimerCount; ++i) due_[i] = due[i] < 0 ? kNever : due[i];
    if (rescheduled)
        rescheduled();
}

void VirtualClock::skip(std::int64_t ms) {
    now_ += ms;
    for (std::int64_t& due : due_) {
        if (due != kNever)
            due += ms;
    }
}

bool VirtualClock::fireNext(std::int64_t until) {
    const int next = firstDue();
    const std::int64_t at = due_[next];
    if (at == kNever || at > until)
        return false;
    now_ = at;
    ++ticks_;
    const auto id = static_cast<TimerId>(next);
    fire_(id);
    // A tick that neither stopped nor restarted its own timer schedules the next one an
    // interval on.
    if (due_[next] == at)
        due_[next] = at + timers_[id].Interval();
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
