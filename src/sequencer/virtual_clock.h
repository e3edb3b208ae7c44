#pragma once
// Plays the logical timers on a virtual clock: every timer that falls due fires at its exact
// virtual instant, ties in TimerId order, so that a game repeats exactly.

#include "sequencer/timers.h"

#include <cstdint>
#include <functional>

namespace kroda {

class VirtualClock final : public TimerObserver {
  public:
    using Fire = std::function<void(TimerId)>;

    VirtualClock(Timers& timers, Fire fire);
    ~VirtualClock() override;
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;

    std::int64_t now() const { return now_; }

    // Fires every tick due up to now + ms, then leaves the clock at now + ms.
    void advance(std::int64_t ms);
    // Fires ticks one at a time until done() holds after a tick (checked first, too) or the
    // clock would pass now + limit. Returns whether done() held.
    bool advanceUntil(const std::function<bool()>& done, std::int64_t limit);
    // Fires the next due tick if it falls at or before `until`; returns whether one fired.
    bool fireNext(std::int64_t until);

    std::uint64_t ticksFired() const { return ticks_; }

    // The instant of the next due tick, or -1 when no timer runs.
    std::int64_t nextDue() const;
    // Moves the clock and every running timer's count on by ms without firing anything, as
    // if the game had been paused for that long.
    void skip(std::int64_t ms);
    // Called whenever a timer's count starts again, so that whoever waits for nextDue() can
    // wait for the new instant instead.
    std::function<void()> rescheduled;

    // The instant timer `id` fires next, or -1 when it is due never.
    std::int64_t dueAt(TimerId id) const;
    // Puts the clock at a saved moment: its instant, the ticks run and each timer's due
    // instant (-1 for never). The timers themselves must already hold their saved state.
    void restore(std::int64_t now, std::uint64_t ticks, const std::int64_t (&due)[kTimerCount]);

    void timerRestarted(TimerId id) override;
    void timerStopped(TimerId id) override;

  private:
    Timers& timers_;
    Fire fire_;
    // A stopped timer, or one without an interval, is due never.
    static constexpr std::int64_t kNever = INT64_MAX;
    // The index of the timer due first, the lowest index among equals.
    int firstDue() const;

    std::int64_t now_ = 0;
    // The instant each timer fires next, kept up to date by the observer calls, so that a
    // tick needs no look at the timers themselves.
    std::int64_t due_[kTimerCount] = {kNever, kNever, kNever, kNever};
    std::uint64_t ticks_ = 0;
};

}  // namespace kroda
