// What a complete throw means: a place in the play order during the ranking, squares to walk
// in play, or a throw again after a double or a tie.
#include "game/game.h"

namespace kroda {

namespace {
Integer totalOf(const GameState& s, QChar digit) {
    const char16_t c = digit.unicode();
    return c >= u'1' && c <= u'4' ? s.Players(c - u'0').Steps : Integer{0};
}

void insertIntoTurnQueue(GameState& state, Integer player, Integer total) {
    // The queue stays in descending order of the ranking totals, which are never equal here.
    const QString q = state.TurnQueue.trimmed();
    const QString me = QString::number(player);
    if (player == 1 || q.isEmpty()) {
        state.TurnQueue = me;
    } else if (player == 2) {
        state.TurnQueue =
            total < state.Players(1).Steps ? QStringLiteral("12") : QStringLiteral("21");
    } else if (total < totalOf(state, q.back())) {
        state.TurnQueue = q + me;
    } else if (totalOf(state, q.front()) < total) {
        state.TurnQueue = me + q;
    } else if (player == 3 || q.size() < 3) {
        state.TurnQueue = q.left(1) + me + q.mid(1);
    } else if (total < totalOf(state, q[1])) {
        state.TurnQueue = q.left(2) + me + q.mid(2);
    } else {
        state.TurnQueue = q.left(1) + me + q.mid(1);
    }
}

}  // namespace

void Game::ResolveThrow() {
    if (state.Die1 == 0 || state.Die2 == 0)
        return;
    const Integer p = state.CurPlayer;
    if (!GameState::isSeat(p))
        return;
    Player& player = state.Players(p);
    const auto total = static_cast<Integer>(state.Die1 + state.Die2);

    if (state.InputMode == RankingThrow) {
        if (state.Die1 == state.Die2) {
            // Nothing is recorded; the inputs stay as they are until the dice are cleared.
            state.TalkStep = DoubleThrowAgain;
            CFace(p, DismayedFace);
            timers.TimerTalk.setEnabled(true);
            return;
        }
        player.Steps = total;
        for (int earlier = 1; earlier < p; ++earlier) {
            if (state.Players(earlier).Steps == total) {
                state.TalkStep = EqualTotalThrowAgain;
                timers.TimerTalk.setEnabled(true);
                return;
            }
        }
        insertIntoTurnQueue(state, p, total);
        throwInputsOff();
        timers.TimerTalk.setEnabled(true);
    } else if (state.InputMode == MoveThrow) {
        throwInputsOff();
        if (state.Die1 != state.Die2) {
            player.Steps = total;
        } else if (state.DoublesCount >= 2) {
            // The third double in one turn: the move is lost.
            state.TalkStep = ThirdDouble;
            CFace(p, GrimFace);
        } else {
            state.TalkStep = DoubleThrowAgain;
            CFace(p, DismayedFace);
            ++state.DoublesCount;
        }
        timers.TimerTalk.setEnabled(true);
    }
}

}  // namespace kroda
