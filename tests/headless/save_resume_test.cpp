// A game saved and loaded into a fresh game with a fresh clock goes on exactly as the one
// that was never interrupted: the same narration, byte for byte with its timestamps, and
// the same final moment, whatever the moment of the save (mid-message, mid-walk, an offer
// to a person, a card window open, the dice turning). No moment of a game with a person
// breaks a rule the reader of saves checks, the game's going on among them.

#include "driver_harness.h"

#include "game/invariants.h"
#include "game/save_game.h"
#include "headless/session.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace kroda::headless::testing {
namespace {

enum Moment { MidMessage, MidWalk, Offer, DiceTurning, CardOpen, kMoments };

std::optional<Moment> momentOf(const Game& g) {
    const GameState& s = g.state;
    if (g.cardOpen())
        return CardOpen;
    if (s.InputMode == YesNoAnswer && g.awaitsPerson())
        return Offer;
    if (g.timers.AnimateTimer.Enabled() && s.AnimMode == DiceFlicker)
        return DiceTurning;
    if (g.timers.AnimateTimer.Enabled() && s.AnimMode == TokenWalk)
        return MidWalk;
    if (g.timers.TimerTalk.Enabled() && s.TalkPos > 1 && s.TalkPos < s.TalkLen)
        return MidMessage;
    return std::nullopt;
}

struct Played {
    QByteArray transcript;
    QByteArray last;  // the save of the final moment
    int saves[kMoments] = {};
    QString broken;  // the first rule a moment of the game played straight broke
};

std::unique_ptr<Session> newSession(QByteArray& transcript) {
    auto s = std::make_unique<Session>(boardFolder());
    s->onNarration = [&transcript](std::int64_t ms, Integer step, const QString& message) {
        transcript += QByteArray::number(static_cast<qlonglong>(ms)) + ' ' +
                      QByteArray::number(step) + ' ' + message.toUtf8() + '\n';
    };
    return s;
}

// Seat 1 is a person who throws and answers 700 ms after he is asked; the others are
// computers. With `resave`, the game is saved and loaded into a fresh session at moments of
// every kind, each kind again after `gap` ticks.
Played play(int players, std::uint64_t seed, bool resave) {
    constexpr std::uint64_t kTickCap = 60'000;
    constexpr std::uint64_t gap = 1'200;
    Played out;
    auto session = newSession(out.transcript);
    session->seed(seed);
    session->game().state.PlayerCount = static_cast<Integer>(players);
    session->game().state.BankruptCardOn = true;
    session->setUpPlayer(1, true, QStringLiteral("คน"));
    if (!resave) {
        Game& game = session->game();
        game.afterEvent = [&out, &game] {
            const auto breach = brokenInvariant(game);
            if (breach && out.broken.isEmpty())
                out.broken = breach->text();
        };
    }
    session->start();
    std::uint64_t lastSave[kMoments] = {};
    const auto due = [&](Moment m) {
        return resave && session->ticks() >= lastSave[m] + gap && momentOf(session->game()) == m;
    };
    const auto anyDue = [&] {
        for (int m = 0; m < kMoments; ++m) {
            if (due(static_cast<Moment>(m)))
                return true;
        }
        return false;
    };
    const auto saveAndLoad = [&] {
        const Moment m = *momentOf(session->game());
        const QByteArray bytes = session->save();
        auto fresh = newSession(out.transcript);
        const std::optional<QString> fault = fresh->load(bytes);
        ASSERT_FALSE(fault) << fault->toStdString();
        session = std::move(fresh);
        lastSave[m] = session->ticks();
        ++out.saves[m];
    };
    std::int64_t answerAt = -1;  // when the person acts; -1 while nobody is asked
    while (!session->game().isOver() && session->ticks() < kTickCap) {
        Game& g = session->game();
        if (anyDue()) {
            saveAndLoad();
            continue;
        }
        if (g.cardOpen()) {
            g.keyPressed(SpaceKey, 0);
            continue;
        }
        if (g.awaitsPerson()) {
            if (answerAt < 0)
                answerAt = session->now() + 700;
            if (session->now() < answerAt) {
                session->runUntil(anyDue, answerAt - session->now());
                continue;
            }
            answerAt = -1;
            const Player& p = g.state.Players(g.state.CurPlayer);
            const bool yes = g.state.InputMode == YesNoAnswer && p.Money.units() > 20000;
            g.keyPressed(g.state.InputMode == YesNoAnswer ? p.KeyCode(yes ? 1 : 3) : p.KeyCode(2),
                         0);
            continue;
        }
        const bool stopped = session->runUntil(
            [&] { return g.isOver() || g.cardOpen() || g.awaitsPerson() || anyDue(); }, 3'600'000);
        if (!stopped)
            break;
    }
    out.last = session->save();
    return out;
}

TEST(SaveResume, GoesOnAsTheUninterruptedGame) {
    int saves[kMoments] = {};
    for (const int players : {2, 3, 4}) {
        SCOPED_TRACE(players);
        const std::uint64_t seed = 40 + static_cast<std::uint64_t>(players);
        const Played straight = play(players, seed, false);
        const Played resumed = play(players, seed, true);
        ASSERT_GT(straight.transcript.count('\n'), 100);
        EXPECT_EQ(straight.broken, QString());
        const QList<QByteArray> a = straight.transcript.split('\n');
        const QList<QByteArray> b = resumed.transcript.split('\n');
        for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i)
            ASSERT_EQ(a[i].toStdString(), b[i].toStdString())
                << "first difference at line " << i + 1;
        ASSERT_EQ(a.size(), b.size());
        EXPECT_EQ(straight.last, resumed.last);
        for (int m = 0; m < kMoments; ++m) saves[m] += resumed.saves[m];
    }
    for (int m = 0; m < kMoments; ++m) EXPECT_GE(saves[m], 3) << "moment " << m;
}

}  // namespace
}  // namespace kroda::headless::testing
