// The virtual clock fires every running timer at its exact instant, ties in TimerId order,
// and follows every start, stop and change of interval the timers make, even from inside
// their own ticks.
#include "sequencer/virtual_clock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kroda::testing {
namespace {

const char* nameOf(TimerId id) {
    switch (id) {
        case TimerId::TimerTalk:
            return "talk";
        case TimerId::TimeDelay:
            return "delay";
        case TimerId::AnimateTimer:
            return "animate";
        case TimerId::TimerMM:
            return "music";
    }
    return "?";
}

// Four stopped timers, a clock and the log of its ticks as "instant name".
struct Bench {
    Timers timers;
    std::vector<std::string> log;
    std::function<void(TimerId)> onTick;
    VirtualClock clock{timers, [this](TimerId id) {
                           log.push_back(std::to_string(clock.now()) + " " + nameOf(id));
                           if (onTick)
                               onTick(id);
                       }};
    Bench() { timers.TimerTalk.setEnabled(false); }
};

using Log = std::vector<std::string>;

// Ticks due together run talk, delay, animate, music; each timer keeps its own interval.
TEST(VirtualClock, TicksDueTogetherRunInTimerOrder) {
    Bench b;
    b.timers.TimerMM.setInterval(30);
    b.timers.TimeDelay.setInterval(20);
    b.timers.TimerTalk.setInterval(60);
    b.timers.TimerMM.setEnabled(true);
    b.timers.TimerTalk.setEnabled(true);
    b.timers.TimeDelay.setEnabled(true);
    b.clock.advance(60);
    EXPECT_EQ(b.log, (Log{"20 delay", "30 music", "40 delay", "60 talk", "60 delay", "60 music"}));
    EXPECT_EQ(b.clock.now(), 60);
    EXPECT_EQ(b.clock.ticksFired(), 6u);
}

// A stopped timer, and a running one without an interval, never fire; with none running
// there is no next instant and the clock only moves on.
TEST(VirtualClock, StoppedAndZeroIntervalTimersNeverFire) {
    Bench b;
    EXPECT_EQ(b.clock.nextDue(), -1);
    b.timers.AnimateTimer.setInterval(0);
    b.timers.AnimateTimer.setEnabled(true);
    EXPECT_EQ(b.clock.nextDue(), -1);
    EXPECT_FALSE(b.clock.fireNext(1'000'000));
    b.clock.advance(500);
    EXPECT_TRUE(b.log.empty());
    EXPECT_EQ(b.clock.now(), 500);

    // Given an interval, it counts from that moment.
    b.timers.AnimateTimer.setInterval(200);
    EXPECT_EQ(b.clock.nextDue(), 700);
    b.timers.AnimateTimer.setEnabled(false);
    EXPECT_EQ(b.clock.nextDue(), -1);
    b.clock.advance(1000);
    EXPECT_TRUE(b.log.empty());
}

// Enabling a stopped timer or changing a running one's interval starts its count again;
// enabling a running one or setting its interval unchanged does not.
TEST(VirtualClock, RestartsCountFromNow) {
    Bench b;
    b.timers.TimerTalk.setEnabled(true);  // due at 60
    b.clock.advance(50);
    b.timers.TimerTalk.setEnabled(true);
    b.timers.TimerTalk.setInterval(60);
    EXPECT_EQ(b.clock.nextDue(), 60);
    b.timers.TimerTalk.setInterval(100);
    EXPECT_EQ(b.clock.nextDue(), 150);
    b.timers.TimerTalk.setEnabled(false);
    b.clock.advance(100);
    b.timers.TimerTalk.setEnabled(true);
    EXPECT_EQ(b.clock.nextDue(), 250);
}

// What a tick does to its own timer or to the others takes effect at once: a timer that
// stops itself fires no more, one that changes its interval counts from the tick, and a
// timer started by another's tick counts from that tick.
TEST(VirtualClock, TicksChangeTheTimersAtOnce) {
    Bench b;
    b.timers.TimeDelay.setEnabled(true);  // 5 ms
    b.onTick = [&b](TimerId id) {
        if (id == TimerId::TimeDelay && b.clock.now() == 5) {
            b.timers.TimeDelay.setInterval(2500);
            b.timers.TimerTalk.setEnabled(true);
        } else if (id == TimerId::TimeDelay) {
            b.timers.TimeDelay.setEnabled(false);
        } else if (id == TimerId::TimerTalk && b.clock.now() == 125) {
            b.timers.TimerTalk.setEnabled(false);
        }
    };
    b.clock.advance(10'000);
    EXPECT_EQ(b.log, (Log{"5 delay", "65 talk", "125 talk", "2505 delay"}));
}

// Skipping moves the clock and the running counts on without firing; stopped timers stay
// stopped and start counting from the new instant when enabled.
TEST(VirtualClock, SkipMovesRunningCountsOnly) {
    Bench b;
    b.timers.TimerTalk.setEnabled(true);
    b.clock.advance(40);
    b.clock.skip(1000);
    EXPECT_EQ(b.clock.now(), 1040);
    EXPECT_EQ(b.clock.nextDue(), 1060);
    b.timers.TimerTalk.setEnabled(false);
    b.clock.skip(1000);
    EXPECT_EQ(b.clock.nextDue(), -1);
    b.timers.TimerMM.setEnabled(true);
    EXPECT_EQ(b.clock.nextDue(), 2060);
    EXPECT_TRUE(b.log.empty());
}

// advanceUntil stops at the first tick after which its test holds, or at the limit.
TEST(VirtualClock, AdvanceUntilStopsAtTheTestOrTheLimit) {
    Bench b;
    b.timers.TimerTalk.setEnabled(true);
    EXPECT_TRUE(b.clock.advanceUntil([&b] { return b.log.size() == 3; }, 10'000));
    EXPECT_EQ(b.clock.now(), 180);
    EXPECT_FALSE(b.clock.advanceUntil([] { return false; }, 100));
    EXPECT_EQ(b.clock.now(), 280);
    EXPECT_EQ(b.log.size(), 4u);  // the tick at 240
    EXPECT_TRUE(b.clock.advanceUntil([] { return true; }, 100));
    EXPECT_EQ(b.clock.now(), 280);
}

}  // namespace
}  // namespace kroda::testing
