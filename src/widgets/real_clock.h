#pragma once
// The one place where real time drives the game's timers; the only other wall clock read is
// the time of day the dice mix in (RealPort::timeOfDay). A single precise timer waits for the
// next due tick of the engine's timers; when it fires, the virtual clock is advanced to the
// real time elapsed (times the speed), so that ticks falling due together keep their order.

#include "sequencer/timers.h"
#include "sequencer/virtual_clock.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

namespace kroda::widgets {

class RealClock : public QObject {
    Q_OBJECT
  public:
    // A gap longer than this (in real ms) between what is due and what has passed is a
    // stall: the missed ticks are dropped instead of replayed.
    static constexpr std::int64_t kStallMs = 1000;

    RealClock(Timers& timers, VirtualClock::Fire fire, double speed = 1.0,
              QObject* parent = nullptr);

    // Virtual milliseconds since start.
    std::int64_t now() const { return clock_.now(); }
    double speed() const { return speed_; }
    // From now on the game's time runs `speed` times as fast as real time. The virtual time
    // goes on from where it stands, so the narration does not jump.
    void setSpeed(double speed);
    VirtualClock& virtualClock() { return clock_; }

    // Starts counting real time from the virtual instant the clock stands at (0, or the
    // moment of a loaded save) and waits for the first due tick.
    void start();
    // Brings the engine up to the real time (firing what is due), runs `input`, then waits
    // for the next due tick. Every input from the windows goes through here, so that a timer
    // it enables counts from the real instant of the input.
    void deliver(const std::function<void()>& input);
    // Brings the engine up to the real time.
    void catchUp();

    // Called after the engine has run: ticks fired or an input was delivered.
    std::function<void()> changed;
    // Called after every single tick and every input, once the clock has scheduled what the
    // tick left running: a moment that can be saved.
    std::function<void()> settled;

    // For tests: the real elapsed time is taken from here instead of the elapsed timer.
    std::function<std::int64_t()> elapsedSource;

  private:
    std::int64_t realElapsed() const;
    void schedule();
    void onTimeout();

    VirtualClock clock_;
    QElapsedTimer elapsed_;
    std::int64_t origin_ = 0;    // the virtual instant real time started counting at
    std::int64_t realBase_ = 0;  // the real elapsed time at that instant
    QTimer timer_;
    double speed_;
    bool running_ = false;
    bool inEngine_ = false;
};

}  // namespace kroda::widgets
