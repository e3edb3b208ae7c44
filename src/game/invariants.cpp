#include "game/invariants.h"

#include "game/game.h"

namespace kroda {

namespace {

using Breach = std::optional<InvariantBreach>;

Breach breach(const char* rule, const QString& detail) {
    return InvariantBreach{QLatin1String(rule), detail};
}

Breach outOfRange(const char* name, int value, int lo, int hi) {
    if (value >= lo && value <= hi)
        return std::nullopt;
    return breach("a variable is out of its range", QStringLiteral("%1 is %2, outside %3..%4")
                                                        .arg(QLatin1String(name))
                                                        .arg(value)
                                                        .arg(lo)
                                                        .arg(hi));
}

// Before the sequencer starts nothing has been set yet; CurPlayer is set as step 3 ends.
bool started(const GameState& s) {
    return s.TalkStep >= 1;
}

Breach checkRanges(const GameState& s) {
    if (auto b = outOfRange("PlayerCount", s.PlayerCount, 2, 4))
        return b;
    if (auto b = outOfRange("TalkStep", s.TalkStep, 1, 17))
        return b;
    if (auto b = outOfRange("InputMode", s.InputMode, 0, YesNoAnswer))
        return b;
    if (auto b = outOfRange("AnimMode", s.AnimMode, 0, YesNoBlink))
        return b;
    if (auto b = outOfRange("CurPlayer", s.CurPlayer, s.TalkStep <= 3 ? 0 : 1, s.PlayerCount))
        return b;
    if (auto b = outOfRange("Die1", s.Die1, 0, 6))
        return b;
    if (auto b = outOfRange("Die2", s.Die2, 0, 6))
        return b;
    if (auto b = outOfRange("DoublesCount", s.DoublesCount, 0, 2))
        return b;
    if (auto b = outOfRange("BankruptCount", s.BankruptCount, 0, s.PlayerCount - 1))
        return b;
    if (auto b = outOfRange("NextCard1", s.NextCard1, 1, s.Deck1.size()))
        return b;
    if (auto b = outOfRange("NextCard2", s.NextCard2, 1, s.Deck2.size()))
        return b;
    if (s.Deck2.size() != (s.BankruptCardOn ? 21 : 20))
        return breach("a variable is out of its range",
                      QStringLiteral("the second deck has %1 cards").arg(s.Deck2.size()));
    for (int p = 1; p <= 4; ++p) {
        const Player& P = s.Players(p);
        if (!GameState::isSquareIndex(P.Position))
            return outOfRange(QStringLiteral("Players(%1).Position").arg(p).toLatin1().constData(),
                              P.Position, 0, kSquareCount - 1);
        if (!s.takesPart(p) && P.Money != Currency{})
            return breach("a seat that does not take part has no money",
                          QStringLiteral("player %1 has %2").arg(p).arg(P.Money.toPlainText()));
    }
    return std::nullopt;
}

// The play order: distinct digits of the players taking part, then blanks; complete once
// the ranking is over.
Breach checkTurnQueue(const GameState& s) {
    const QString& q = s.TurnQueue.raw();
    bool seen[5] = {};
    int digits = 0;
    for (qsizetype i = 0; i < q.size(); ++i) {
        const int p = q[i].unicode() - u'0';
        if (q[i] == QLatin1Char(' '))
            continue;
        if (p < 1 || p > s.PlayerCount || seen[p] || i != digits)
            return breach("the play order holds each player taking part once",
                          QStringLiteral("TurnQueue is \"%1\"").arg(q));
        seen[p] = true;
        ++digits;
    }
    const bool rankingDone = s.TalkStep == RankingResult || s.TalkStep == GameBegins ||
                             s.TalkStep == ThrowRequest || s.InputMode == MoveThrow ||
                             s.InputMode == YesNoAnswer;
    if (rankingDone && digits != s.PlayerCount)
        return breach("the play order holds each player taking part once",
                      QStringLiteral("TurnQueue is \"%1\" after the ranking").arg(q));
    return std::nullopt;
}

Breach checkOwnership(const GameState& s) {
    for (int n = 1; n <= kSquareCount; ++n) {
        const Square& sq = s.Squares(n);
        if (sq.Owner == 0)
            continue;
        if (!s.takesPart(sq.Owner))
            return breach("a square's owner takes part in the game",
                          QStringLiteral("square %1 is owned by %2").arg(n).arg(sq.Owner));
        const Player& P = s.Players(sq.Owner);
        if (P.Bankrupt)
            return breach(
                "a bankrupt player owns nothing",
                QStringLiteral("square %1 is owned by bankrupt player %2").arg(n).arg(sq.Owner));
        int listed = 0;
        for (int k = 1; k <= 29; ++k) listed += P.Owned(k) == n ? 1 : 0;
        if (listed != 1)
            return breach("square ownership agrees both ways",
                          QStringLiteral("square %1 is owned by %2, whose slots list it %3 times")
                              .arg(n)
                              .arg(sq.Owner)
                              .arg(listed));
    }
    for (int p = 1; p <= 4; ++p) {
        const Player& P = s.Players(p);
        if (P.Owned(0) != 0)
            return breach("square ownership agrees both ways",
                          QStringLiteral("slot 0 of player %1 holds %2").arg(p).arg(P.Owned(0)));
        // A bankrupt player's slots keep their old values; his squares are the bank's.
        if (P.Bankrupt)
            continue;
        for (int k = 1; k <= 29; ++k) {
            const Integer n = P.Owned(k);
            if (n == 0)
                continue;
            if (n < 1 || n > kSquareCount || s.Squares(n).Owner != p)
                return breach("square ownership agrees both ways",
                              QStringLiteral("slot %1 of player %2 lists square %3, owned by %4")
                                  .arg(k)
                                  .arg(p)
                                  .arg(n)
                                  .arg(n >= 1 && n <= kSquareCount ? s.Squares(n).Owner : -1));
        }
    }
    return std::nullopt;
}

Breach checkBuildings(const GameState& s) {
    for (int n = 1; n <= kSquareCount; ++n) {
        const Square& sq = s.Squares(n);
        if (sq.Buildings < 0 || sq.Buildings > 5)
            return breach("buildings are 0 to 5",
                          QStringLiteral("square %1 has %2").arg(n).arg(sq.Buildings));
        if (sq.Buildings > 0 && (sq.Kind != Land || sq.Owner == 0))
            return breach("only owned Land squares have buildings",
                          QStringLiteral("square %1 of kind %2, owner %3, has %4")
                              .arg(n)
                              .arg(sq.Kind)
                              .arg(sq.Owner)
                              .arg(sq.Buildings));
    }
    return std::nullopt;
}

Breach checkBankrupts(const Game& g) {
    const GameState& s = g.state;
    int bankrupt = 0;
    for (int p = 1; p <= s.PlayerCount; ++p) {
        if (!s.Players(p).Bankrupt)
            continue;
        ++bankrupt;
        if (g.window.ShpMark[static_cast<std::size_t>(p - 1)].Visible)
            return breach("a bankrupt player has no token on the board",
                          QStringLiteral("the token of player %1 is shown").arg(p));
    }
    if (bankrupt != s.BankruptCount)
        return breach("BankruptCount counts the bankrupt players",
                      QStringLiteral("%1 are bankrupt, BankruptCount is %2")
                          .arg(bankrupt)
                          .arg(s.BankruptCount));
    // Step 16 tells of the player who has just gone out; step 17 names the winner.
    const bool turnRunning = s.TalkStep >= 9 && s.TalkStep <= 15;
    if (turnRunning && s.takesPart(s.CurPlayer) && s.Players(s.CurPlayer).Bankrupt)
        return breach(
            "a bankrupt player never gets the turn",
            QStringLiteral("player %1 has the turn at step %2").arg(s.CurPlayer).arg(s.TalkStep));
    return std::nullopt;
}

// Money moves only through the ledger, the opening money included.
Breach checkLedger(const Game& g) {
    for (int p = 1; p <= g.state.PlayerCount; ++p) {
        const Currency money = g.state.Players(p).Money;
        const Currency balance = g.ledger.balance(static_cast<Integer>(p));
        if (money != balance)
            return breach("each player's money is the balance of his ledger entries",
                          QStringLiteral("player %1 has %2, his entries come to %3")
                              .arg(p)
                              .arg(money.toPlainText(), balance.toPlainText()));
    }
    return std::nullopt;
}

// Between two events the game waits for something that comes: a timer that moves it on (the
// narrator, the pause, the token's walk), a person who must throw or answer (Game::
// awaitsPerson), a key for the open card window, or nothing more once there is a winner. The
// music's timer, the dice's flicker and the blinking yes and no move nothing by themselves.
Breach checkGoesOn(const Game& g) {
    const Timers& t = g.timers;
    const auto runs = [](const LogicalTimer& timer) {
        return timer.Enabled() && timer.Interval() > 0;
    };
    const bool moving = runs(t.TimerTalk) || runs(t.TimeDelay) ||
                        (runs(t.AnimateTimer) && g.state.AnimMode == TokenWalk);
    if (moving || g.isOver() || g.cardOpen() || g.awaitsPerson())
        return std::nullopt;
    const GameState& s = g.state;
    return breach("the game goes on",
                  QStringLiteral("no timer moves it, no one is awaited and there is no winner "
                                 "(step %1, input mode %2, player %3)")
                      .arg(s.TalkStep)
                      .arg(s.InputMode)
                      .arg(s.CurPlayer));
}

}  // namespace

std::optional<InvariantBreach> brokenInvariant(const Game& game) {
    const GameState& s = game.state;
    if (!started(s))
        return std::nullopt;
    if (auto b = checkRanges(s))
        return b;
    if (auto b = checkTurnQueue(s))
        return b;
    if (auto b = checkOwnership(s))
        return b;
    if (auto b = checkBuildings(s))
        return b;
    if (auto b = checkBankrupts(game))
        return b;
    if (auto b = checkLedger(game))
        return b;
    return checkGoesOn(game);
}

}  // namespace kroda
