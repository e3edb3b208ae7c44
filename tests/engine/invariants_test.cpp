// The invariant checker finds each rule the moment a state breaks it, and finds nothing in
// games played by the rules.

#include "game/invariants.h"
#include "support/game_harness.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace kroda::testing {
namespace {

QString ruleBroken(const Game& g) {
    const auto b = brokenInvariant(g);
    return b ? b->text() : QString();
}

void buy(GameHarness& h, int p, int position) {
    h.square(position).Owner = static_cast<Integer>(p);
    Player& P = h.player(p);
    for (int k = 1; k <= 29; ++k) {
        if (P.Owned(k) == 0) {
            P.Owned(k) = static_cast<Integer>(position + 1);
            return;
        }
    }
}

// A game of three mid-play: ranked, player 1 owns square index 1 with two houses and square
// index 3.
std::unique_ptr<GameHarness> midGame() {
    auto h = std::make_unique<GameHarness>(3);
    h->loadAndRank({9, 7, 5});
    buy(*h, 1, 1);
    buy(*h, 1, 3);
    h->square(1).Buildings = 2;
    EXPECT_EQ(ruleBroken(h->game), QString());
    return h;
}

struct Break {
    const char* what;
    std::function<void(GameHarness&)> apply;
    const char* rule;
};

// Each invariant, broken on purpose, is reported by its rule.
TEST(Invariants, EachBrokenRuleIsReported) {
    const Break breaks[] = {
        {"an owner whose slots miss the square", [](GameHarness& g) { g.player(1).Owned(2) = 0; },
         "square ownership agrees both ways"},
        {"a slot naming another's square", [](GameHarness& g) { g.player(2).Owned(1) = 2; },
         "square ownership agrees both ways"},
        {"a square listed twice", [](GameHarness& g) { g.player(1).Owned(3) = 2; },
         "square ownership agrees both ways"},
        {"slot 0 written", [](GameHarness& g) { g.player(1).Owned(0) = 5; },
         "square ownership agrees both ways"},
        {"an owner not taking part", [](GameHarness& g) { g.square(5).Owner = 4; },
         "a square's owner takes part"},
        {"six buildings", [](GameHarness& g) { g.square(1).Buildings = 6; },
         "buildings are 0 to 5"},
        {"a house on the bank's land", [](GameHarness& g) { g.square(6).Buildings = 1; },
         "only owned Land squares have buildings"},
        {"a house on a hotel site", [](GameHarness& g) { g.square(1).Kind = HotelSite; },
         "only owned Land squares have buildings"},
        {"a bankrupt owner",
         [](GameHarness& g) {
             g.player(1).Bankrupt = true;
             g.s().BankruptCount = 1;
         },
         "a bankrupt player owns nothing"},
        {"a bankrupt token on the board",
         [](GameHarness& g) {
             g.player(3).Bankrupt = true;
             g.s().BankruptCount = 1;
             g.game.window.ShpMark[2].Visible = true;
         },
         "a bankrupt player has no token on the board"},
        {"a bankrupt player's turn",
         [](GameHarness& g) {
             g.player(3).Bankrupt = true;
             g.s().BankruptCount = 1;
             g.game.window.ShpMark[2].Visible = false;
             g.s().CurPlayer = 3;
             g.s().TalkStep = 12;
         },
         "a bankrupt player never gets the turn"},
        {"a miscounted bankruptcy", [](GameHarness& g) { g.s().BankruptCount = 1; },
         "BankruptCount counts the bankrupt players"},
        {"a step past 17", [](GameHarness& g) { g.s().TalkStep = 18; }, "TalkStep is 18"},
        {"input mode 9", [](GameHarness& g) { g.s().InputMode = 9; }, "InputMode is 9"},
        {"animation 4", [](GameHarness& g) { g.s().AnimMode = 4; }, "AnimMode is 4"},
        {"a player not taking part", [](GameHarness& g) { g.s().CurPlayer = 4; }, "CurPlayer is 4"},
        {"a square past the board", [](GameHarness& g) { g.player(2).Position = 40; },
         "Players(2).Position is 40"},
        {"a card past the deck", [](GameHarness& g) { g.s().NextCard2 = 21; }, "NextCard2 is 21"},
        {"no card", [](GameHarness& g) { g.s().NextCard1 = 0; }, "NextCard1 is 0"},
        {"a seventh face", [](GameHarness& g) { g.s().Die1 = 7; }, "Die1 is 7"},
        {"a player twice in the order",
         [](GameHarness& g) { g.s().TurnQueue = QStringLiteral("121"); },
         "the play order holds each player taking part once"},
        {"a player missing from the order",
         [](GameHarness& g) { g.s().TurnQueue = QStringLiteral("12"); },
         "the play order holds each player taking part once"},
        {"money of a seat that does not play",
         [](GameHarness& g) { g.player(4).Money = Currency::fromUnits(1); },
         "a seat that does not take part has no money"},
        {"money changed past the ledger",
         [](GameHarness& g) { g.player(2).Money += Currency::fromUnits(1); },
         "each player's money is the balance of his ledger entries"},
        {"a payment entered but never made",
         [](GameHarness& g) {
             g.game.ledger.record(3, kBank, Currency::fromUnits(500), PaymentCause::Tax);
         },
         "player 3 has"},
        {"nothing left to wait for, the music playing on",
         [](GameHarness& g) {
             for (const TimerId id : {TimerId::TimerTalk, TimerId::TimeDelay})
                 g.game.timers[id].setEnabled(false);
             g.s().AnimMode = YesNoBlink;
             g.game.timers.AnimateTimer.setEnabled(true);
             g.game.timers.TimerMM.setEnabled(true);
         },
         "the game goes on: no timer moves it, no one is awaited and there is no winner"},
    };
    for (const Break& b : breaks) {
        SCOPED_TRACE(b.what);
        const auto h = midGame();
        b.apply(*h);
        EXPECT_TRUE(ruleBroken(h->game).contains(QLatin1String(b.rule)))
            << ruleBroken(h->game).toStdString();
    }
}

// The checker runs after every tick when asked: a rule broken between two events is caught
// at the next one, and a game played by the rules to its end breaks none.
TEST(InvariantChecking, RunsAfterEveryEventAndFindsNothingInFairPlay) {
    for (const bool bankruptCard : {false, true}) {
        GameHarness h{4, {}, bankruptCard};
        int events = 0;
        QString broken;
        h.game.afterEvent = [&] {
            ++events;
            if (broken.isEmpty())
                broken = ruleBroken(h.game);
        };
        h.load();
        ASSERT_TRUE(h.playToEnd());
        EXPECT_EQ(broken, QString());
        EXPECT_GT(events, 1000);

        h.s().TalkStep = 12;
        h.s().InputMode = 7;
        h.game.handle([](Game& g) { g.keyPressed(65, 0); });
        EXPECT_TRUE(broken.contains(QStringLiteral("InputMode is 7"))) << broken.toStdString();
    }
}

}  // namespace
}  // namespace kroda::testing
