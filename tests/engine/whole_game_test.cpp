// Whole games played by the computer to their end.
#include "support/game_harness.h"

#include <gtest/gtest.h>

namespace kroda::testing {
namespace {

// Four computer players play to a single winner, who is the one player not bankrupt.
TEST(WholeGame, FourComputersPlayToAWinner) {
    GameHarness h(4);
    h.load();
    ASSERT_TRUE(h.playToEnd());
    EXPECT_EQ(h.s().BankruptCount, 3);
    const Integer w = h.s().CurPlayer;
    EXPECT_FALSE(h.player(w).Bankrupt);
    EXPECT_EQ(h.lastMessage(),
              QStringLiteral("'") + h.player(w).Name.trimmed() + QStringLiteral("' เป็นผู้ชนะ"));
}

}  // namespace
}  // namespace kroda::testing
