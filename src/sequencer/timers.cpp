#include "sequencer/timers.h"

namespace kroda {

void LogicalTimer::setEnabled(bool on) {
    if (on == enabled_)
        return;
    enabled_ = on;
    if (!observer_)
        return;
    if (on) {
        observer_->timerRestarted(id_);
    } else {
        observer_->timerStopped(id_);
    }
}

void LogicalTimer::setInterval(int ms) {
    if (ms == interval_)
        return;
    interval_ = ms;
    if (enabled_ && observer_)
        observer_->timerRestarted(id_);
}

void Timers::bind(TimerObserver* observer) {
    for (int i = 0; i < kTimerCount; ++i) (*this)[static_cast<TimerId>(i)].bind(observer);
}

}  // namespace kroda
