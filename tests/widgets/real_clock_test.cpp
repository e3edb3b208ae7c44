// The real clock fires the engine's ticks in the same order as the virtual clock, at the
// speed asked for (changed at any time), and drops the ticks missed in a stall instead of
// replaying them.
#include "widgets/real_clock.h"
#include "widgets/speed_steps.h"

#include <gtest/gtest.h>

#include <vector>

namespace kroda::widgets {
namespace {

struct Fixture {
    Timers timers;
    std::vector<std::pair<std::int64_t, TimerId>> fired;
    std::int64_t real = 0;
    RealClock clock;
    explicit Fixture(double speed)
        : clock(
              timers, [this](TimerId id) { fired.emplace_back(clock.now(), id); }, speed) {
        clock.elapsedSource = [this] { return real; };
        clock.start();
    }
};

TEST(RealClock, TicksDueTogetherKeepTheirOrderAtAnySpeed) {
    Fixture f(2.0);
    f.timers.AnimateTimer.setEnabled(true);  // 200 ms; the talk timer runs at 60 ms
    f.real = 300;                            // 600 virtual ms
    f.clock.catchUp();
    std::vector<std::pair<std::int64_t, TimerId>> at600;
    for (const auto& t : f.fired)
        if (t.first == 600)
            at600.push_back(t);
    ASSERT_EQ(at600.size(), 2u);
    EXPECT_EQ(at600[0].second, TimerId::TimerTalk);
    EXPECT_EQ(at600[1].second, TimerId::AnimateTimer);
    EXPECT_EQ(f.clock.now(), 600);
}

TEST(RealClock, AStallDropsTheMissedTicks) {
    Fixture f(1.0);
    f.real = 120;
    f.clock.catchUp();
    const std::size_t before = f.fired.size();
    EXPECT_EQ(before, 2u);
    f.real = 120 + 60000;  // a minute suspended
    f.clock.catchUp();
    EXPECT_LE(f.fired.size(), before + 1);
    // Afterwards the game runs on at the normal pace.
    f.real += 600;
    f.clock.catchUp();
    EXPECT_NEAR(static_cast<double>(f.fired.size() - before), 10.0, 1.0);
}

TEST(RealClock, AnInputCountsFromItsOwnInstant) {
    Fixture f(1.0);
    f.timers.TimerTalk.setEnabled(false);
    f.real = 1000;
    f.clock.deliver([&] { f.timers.TimeDelay.setEnabled(true); });  // 5 ms
    f.real = 1004;
    f.clock.catchUp();
    EXPECT_TRUE(f.fired.empty());
    f.real = 1005;
    f.clock.catchUp();
    ASSERT_EQ(f.fired.size(), 1u);
    EXPECT_EQ(f.fired[0].first, 1005);
}

// A new speed runs from the instant it is chosen: the game's time goes on from where it
// stands, and the speed button steps 1, 2, 4 and back to 1, from any speed to the next step.
TEST(RealClock, ANewSpeedRunsOnFromTheGamesPresentInstant) {
    Fixture f(1.0);
    f.timers.TimerTalk.setEnabled(false);
    f.real = 1000;
    f.clock.catchUp();
    ASSERT_EQ(f.clock.now(), 1000);
    f.clock.setSpeed(4.0);
    EXPECT_EQ(f.clock.now(), 1000);
    f.real = 1250;
    f.clock.deliver([&] { f.timers.TimeDelay.setEnabled(true); });  // 5 ms from 2000
    EXPECT_EQ(f.clock.now(), 2000);
    f.real = 1251;  // 4 game ms later: not yet
    f.clock.catchUp();
    EXPECT_TRUE(f.fired.empty());
    f.real = 1252;
    f.clock.catchUp();
    ASSERT_EQ(f.fired.size(), 1u);
    EXPECT_EQ(f.fired[0].first, 2005);

    const std::pair<double, double> steps[] = {{1, 2},   {2, 4},   {4, 1}, {0.25, 1},
                                               {1.5, 2}, {3.9, 4}, {20, 1}};
    for (const auto& [from, to] : steps) EXPECT_EQ(nextSpeed(from), to) << from;
    EXPECT_EQ(shownSpeedStep(0.5), 0);
    EXPECT_EQ(shownSpeedStep(3), 1);
    EXPECT_EQ(shownSpeedStep(20), 2);
}

}  // namespace
}  // namespace kroda::widgets
