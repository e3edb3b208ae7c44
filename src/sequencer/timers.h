#pragma once
// The game window's four timers as logical timers: an enabled flag and an interval. The
// engine never reads a clock; whoever runs the game (the Qt window, the headless driver)
// binds each timer to real or virtual time through a TimerObserver.

#include <cstdint>

namespace kroda {

// Ticks that fall due at the same instant run in this order.
enum class TimerId : int { TimerTalk = 0, TimeDelay = 1, AnimateTimer = 2, TimerMM = 3 };
inline constexpr int kTimerCount = 4;

class TimerObserver {
  public:
    virtual ~TimerObserver() = default;
    // The timer's count starts again from now: it was enabled while stopped, or its interval
    // changed while it ran.
    virtual void timerRestarted(TimerId id) = 0;
    virtual void timerStopped(TimerId id) = 0;
};

class LogicalTimer {
  public:
    LogicalTimer(TimerId id, int interval, bool enabled)
        : id_(id), interval_(interval), enabled_(enabled) {}

    TimerId id() const { return id_; }
    bool Enabled() const { return enabled_; }
    int Interval() const { return interval_; }

    // Enabling a stopped timer starts its count from now; enabling a running one changes nothing.
    void setEnabled(bool on);
    // Changing the interval of a running timer restarts its count.
    void setInterval(int ms);

    void bind(TimerObserver* observer) { observer_ = observer; }

  private:
    TimerId id_;
    int interval_;
    bool enabled_;
    TimerObserver* observer_ = nullptr;
};

// The intervals and enabled flags the game window starts with.
struct Timers {
    LogicalTimer TimerTalk{TimerId::TimerTalk, 60, true};
    LogicalTimer TimeDelay{TimerId::TimeDelay, 5, false};
    LogicalTimer AnimateTimer{TimerId::AnimateTimer, 200, false};
    LogicalTimer TimerMM{TimerId::TimerMM, 20, false};

    LogicalTimer& operator[](TimerId id) { return this->*kByOrder[static_cast<int>(id)]; }
    const LogicalTimer& operator[](TimerId id) const {
        return this->*kByOrder[static_cast<int>(id)];
    }
    void bind(TimerObserver* observer);

  private:
    static constexpr LogicalTimer Timers::*kByOrder[kTimerCount] = {
        &Timers::TimerTalk, &Timers::TimeDelay, &Timers::AnimateTimer, &Timers::TimerMM};
};

}  // namespace kroda
