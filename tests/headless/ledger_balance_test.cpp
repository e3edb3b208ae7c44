// On the default board, no event of a game moves money past the ledger: after every tick of
// the clock each player's money is the balance of his entries so far.

#include "driver_harness.h"

#include "headless/script_runner.h"
#include "headless/session.h"
#include "model/codes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>

namespace kroda::headless::testing {
namespace {

struct Watch {
    std::array<Currency, 5> balance{};  // by party, the bank at 0
    std::size_t seen = 0;               // ledger entries summed so far
    int mismatches = 0;
    std::int64_t firstMismatchAt = -1;

    // Adds the entries made since the last look, then compares every seat with its money.
    void look(const Session& session) {
        const Game& g = session.game();
        const std::vector<Payment>& entries = g.ledger.payments();
        for (; seen < entries.size(); ++seen) {
            const Payment& p = entries[seen];
            balance[static_cast<std::size_t>(p.payer)] -= p.amount;
            balance[static_cast<std::size_t>(p.payee)] += p.amount;
        }
        for (int p = 1; p <= g.state.PlayerCount; ++p) {
            if (g.state.Players(p).Money != balance[static_cast<std::size_t>(p)]) {
                if (mismatches++ == 0)
                    firstMismatchAt = session.now();
            }
        }
    }
};

TEST(LedgerBalance, MoneyIsTheBalanceAfterEveryEvent) {
    for (const bool bankruptCard : {false, true}) {
        for (const std::uint64_t seed : {1u, 2u, 5u}) {
            SCOPED_TRACE(::testing::Message()
                         << "seed " << seed << " bankrupt card " << bankruptCard);
            Session session(boardFolder());
            session.seed(seed);
            GameState& s = session.game().state;
            s.PlayerCount = 4;
            s.BankruptCardOn = bankruptCard;
            session.start();

            Watch watch;
            const auto stop = [&] {
                watch.look(session);
                return session.hasWinner() || session.cardOpen() || session.waitingForPerson();
            };
            const std::int64_t limit = std::int64_t{48} * 3600 * 1000;
            while (session.runUntil(stop, limit - session.now()) && session.cardOpen())
                session.game().keyPressed(SpaceKey, 0);

            ASSERT_TRUE(session.hasWinner());
            EXPECT_EQ(watch.mismatches, 0) << "first at " << watch.firstMismatchAt << " ms";
            EXPECT_EQ(session.game().ledger.bankruptcies().size(), 3u);
            Currency held;
            for (int p = 1; p <= 4; ++p) held += s.Players(p).Money;
            EXPECT_EQ(watch.balance[kBank], -held);
        }
    }
}

// Money the driver sets by hand is entered in the ledger as an adjustment, so that the
// balance still holds for the game that goes on; other values leave the ledger alone.
TEST(LedgerBalance, MoneySetByTheDriverIsAnAdjustment) {
    std::ostringstream out;
    std::ostringstream err;
    ScriptRunner runner(RunnerOptions{boardFolder()}, out, err);
    std::istringstream script(
        "players 2\nstart\nadvance 2000\nset Players(2).Money 123.5\nset Die1 3\n"
        "set Players(1).Money -7\n");
    ASSERT_EQ(runner.run(script, QStringLiteral("test")), ExitOk) << err.str();
    const Game& g = runner.session().game();
    EXPECT_EQ(g.ledger.balance(1), Currency::fromRaw(-70000));
    EXPECT_EQ(g.ledger.balance(2), Currency::fromRaw(1235000));
    std::vector<PaymentCause> causes;
    for (const Payment& p : g.ledger.payments()) causes.push_back(p.cause);
    EXPECT_EQ(std::count(causes.begin(), causes.end(), PaymentCause::Adjustment), 2);
    EXPECT_EQ(g.ledger.payments().back().cause, PaymentCause::Adjustment);
    EXPECT_EQ(g.ledger.payments().back().payee, 1);
}

}  // namespace
}  // namespace kroda::headless::testing
