// The ledger of payments: every movement of money is entered with its cause, so that each
// player's money is always the balance of his entries, and every bankruptcy keeps the cause
// it came from.
#include "support/game_harness.h"

#include <gtest/gtest.h>

#include <functional>

namespace kroda::testing {
namespace {

constexpr int kRuin = 20000;  // more than a player's opening money
constexpr int kTarget = 3;    // the square player 1 reaches with his first throw of 1 + 2

// Two computers; the test turns square 3 and the top cards into what it needs, ranks player 1
// first and lets him throw 1 + 2, answering yes to any offer.
struct ScriptedRuin {
    std::function<void(LoadedBoard&)> board;
    std::function<void(GameHarness&)> before = [](GameHarness&) {};
    bool bankruptCardOn = false;
};

std::optional<PaymentCause> firstBankruptcyCause(const ScriptedRuin& script) {
    GameHarness h(2, {}, script.bankruptCardOn);
    h.game.boardReader = [&](const BoardLocation&, bool bankrupt) {
        BoardReadResult r;
        r.board = sampleBoard(bankrupt);
        script.board(*r.board);
        return r;
    };
    h.loadAndRank({9, 8});
    script.before(h);
    h.dice({1, 2});
    h.game.scripted.answers.push_back(OfferAnswer::Yes);
    const auto out = [&] { return !h.game.ledger.bankruptcies().empty(); };
    for (int cards = 0; cards < 3 && !out(); ++cards) {
        h.runUntil([&] { return out() || h.game.window.FrmCard.Visible; });
        if (h.game.window.FrmCard.Visible)
            h.game.keyPressed(32, 0);
    }
    EXPECT_TRUE(out());
    if (!out())
        return std::nullopt;
    const BankruptcyRecord& r = h.game.ledger.bankruptcies().front();
    EXPECT_EQ(r.player, 1);
    for (int p = 1; p <= 2; ++p)
        EXPECT_EQ(h.game.ledger.balance(static_cast<Integer>(p)), h.player(p).Money) << p;
    return r.cause;
}

Square& target(LoadedBoard& b) {
    return b.Squares(kTarget + 1);
}

void ownedBy(GameHarness& h, int owner, int buildings) {
    h.square(kTarget).Owner = static_cast<Integer>(owner);
    h.square(kTarget).Buildings = static_cast<Integer>(buildings);
    h.player(owner).Owned(1) = kTarget + 1;
}

// A bankruptcy is put down to what took the last of the player's money: rent, a purchase, a
// house or the hotel, tax, the jail fine, a card's payment, the lose-all card or the built-in
// bankrupt card.
TEST(PaymentLedger, EachBankruptcyKeepsItsCause) {
    const Currency ruin = Currency::fromUnits(kRuin);
    const struct {
        const char* what;
        ScriptedRuin script;
        PaymentCause cause;
    } cases[] = {
        {"rent",
         {[&](LoadedBoard& b) { target(b).Rent(1) = ruin; },
          [](GameHarness& h) { ownedBy(h, 2, 0); }},
         PaymentCause::Rent},
        {"purchase", {[&](LoadedBoard& b) { target(b).Price = ruin; }}, PaymentCause::Purchase},
        {"house",
         {[&](LoadedBoard& b) { target(b).HouseCost = ruin; },
          [](GameHarness& h) { ownedBy(h, 1, 2); }},
         PaymentCause::Building},
        {"hotel",
         {[&](LoadedBoard& b) { target(b).HotelCost = ruin; },
          [](GameHarness& h) { ownedBy(h, 1, 4); }},
         PaymentCause::Building},
        {"tax",
         {[&](LoadedBoard& b) {
             target(b).Kind = Tax;
             target(b).Price = ruin;
         }},
         PaymentCause::Tax},
        {"fine",
         {[&](LoadedBoard& b) {
             target(b).Kind = GoToJail;
             target(b).Price = ruin;
         }},
         PaymentCause::Fine},
        {"card payment",
         {[](LoadedBoard& b) {
             target(b).Kind = TreasureCard;
             b.Deck1(1) = Card{QStringLiteral("ค่าซ่อมบ้าน"), 0, kRuin};
         }},
         PaymentCause::CardPay},
        {"lose-all card",
         {[](LoadedBoard& b) {
             target(b).Kind = FortuneCard;
             b.Deck2(1) = Card{QStringLiteral("ไฟไหม้บ้าน"), 10, 0};
         }},
         PaymentCause::LoseAll},
        {"bankrupt card",
         {[](LoadedBoard& b) { target(b).Kind = FortuneCard; },
          [](GameHarness& h) { h.s().NextCard2 = 21; }, true},
         PaymentCause::BankruptCard},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(firstBankruptcyCause(c.script), std::optional<PaymentCause>(c.cause));
    }
}

// Over whole games of four computers with the bankrupt card, every player's money is the
// balance of his entries at the end, the bank has paid out what the players hold, and every
// bankruptcy has a cause that can end a game.
TEST(PaymentLedger, BalancesEveryPlayerOverWholeGames) {
    for (const std::uint64_t seed : {1u, 2u, 3u}) {
        GameHarness h(4, {}, true);
        h.game.random.seed(seed);
        h.loadAndRank({9, 8, 7, 6});
        ASSERT_TRUE(h.playToEnd()) << seed;
        Currency held;
        for (int p = 1; p <= 4; ++p) {
            EXPECT_EQ(h.game.ledger.balance(static_cast<Integer>(p)), h.player(p).Money) << p;
            held += h.player(p).Money;
        }
        EXPECT_EQ(h.game.ledger.balance(kBank), -held);
        ASSERT_EQ(h.game.ledger.bankruptcies().size(), 3u);
        for (const BankruptcyRecord& r : h.game.ledger.bankruptcies()) {
            ASSERT_TRUE(r.cause.has_value());
            EXPECT_NE(*r.cause, PaymentCause::OpeningMoney);
            EXPECT_NE(*r.cause, PaymentCause::StartMoney);
            EXPECT_NE(*r.cause, PaymentCause::CardGain);
            EXPECT_TRUE(h.player(r.player).Bankrupt);
        }
    }
}

// A new game starts a new ledger: the opening money of each player and nothing else.
TEST(PaymentLedger, ANewGameStartsAfresh) {
    GameHarness h(3);
    h.load();
    h.land(24);  // tax
    h.load();
    ASSERT_EQ(h.game.ledger.payments().size(), 3u);
    for (const Payment& p : h.game.ledger.payments()) {
        EXPECT_EQ(p.cause, PaymentCause::OpeningMoney);
        EXPECT_EQ(p.payer, kBank);
        EXPECT_EQ(p.amount, Currency::fromUnits(15000));
    }
}

}  // namespace
}  // namespace kroda::testing
