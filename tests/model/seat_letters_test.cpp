// The command line's seats: one letter a seat, each set up as the wizard would.
#include "model/seat_defaults.h"

#include <gtest/gtest.h>

namespace kroda {
namespace {

// p a person with his keys, c the computer, s the strong computer, n a person elsewhere
// (returned); seats past the letters are the computer's, and a seat set up again forgets what
// it was.
TEST(SeatLetters, EachLetterIsItsController) {
    GameState state;
    state.Players(4).Strong = true;
    const QList<int> network = setUpSeats(state, QStringLiteral("sncp"));
    EXPECT_EQ(state.PlayerCount, 4);
    EXPECT_EQ(network, QList<int>({2}));
    EXPECT_FALSE(state.Players(1).IsHuman);
    EXPECT_TRUE(state.Players(1).Strong);
    EXPECT_EQ(state.Players(1).KeyCode(1), 0);
    EXPECT_TRUE(state.Players(2).IsHuman);
    EXPECT_FALSE(state.Players(2).Strong);
    EXPECT_FALSE(state.Players(3).IsHuman || state.Players(3).Strong);
    EXPECT_TRUE(state.Players(4).IsHuman);
    EXPECT_FALSE(state.Players(4).Strong);
    EXPECT_EQ(state.Players(4).KeyCode(1), 100);
    EXPECT_EQ(state.Players(1).Name.trimmed(), QStringLiteral("ผู้เล่น:1"));

    setUpSeats(state, QStringLiteral("cs"));
    EXPECT_EQ(state.PlayerCount, 2);
    EXPECT_FALSE(state.Players(1).Strong);
    EXPECT_TRUE(state.Players(2).Strong);
    EXPECT_FALSE(state.Players(2).IsHuman);
    EXPECT_FALSE(state.Players(3).IsHuman || state.Players(3).Strong);
}

}  // namespace
}  // namespace kroda
