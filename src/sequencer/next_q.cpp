// Passing the turn: the next player in the play order who is neither out of the game nor
// sitting a turn out.
#include "game/game.h"

namespace kroda {

namespace {

// The player number a character of the play order stands for; 0 for anything else.
Integer digitValue(QChar c) {
    const char16_t u = c.unicode();
    return u >= u'0' && u <= u'9' ? static_cast<Integer>(u - u'0') : Integer{0};
}

// The player after `current` in the play order; `current` itself when it is not in the queue.
Integer followingPlayer(const GameState& s, Integer current) {
    const QString& raw = s.TurnQueue.raw();
    int found = 0;
    for (int k = 1; k <= 4 && found == 0; ++k) {
        if (digitValue(raw[k - 1]) == current)
            found = k;
    }
    int next = 0;
    switch (found) {
        case 1:
            next = 2;
            break;
        case 2:
            next = s.PlayerCount > 2 ? 3 : 1;
            break;
        case 3:
            next = s.PlayerCount == 4 ? 4 : 1;
            break;
        case 4:
            next = 1;
            break;
        default:
            return current;
    }
    const QString queue = s.TurnQueue.trimmed();
    return next <= queue.size() ? digitValue(queue[next - 1]) : Integer{0};
}

}  // namespace

void Game::NextQ() {
    // A queue of nobody but bankrupt players would never end the search: it gives up after
    // meeting more bankrupt players in a row than there are seats.
    int bankruptInARow = 0;
    for (;;) {
        const Integer current = state.CurPlayer;
        if (GameState::isSeat(current))
            PutTao(current, state.Players(current).Position, current);
        state.CurPlayer = followingPlayer(state, current);
        if (!GameState::isSeat(state.CurPlayer))
            break;
        Player& p = state.Players(state.CurPlayer);
        if (p.Bankrupt) {
            if (++bankruptInARow > 4)
                return;
            continue;
        }
        bankruptInARow = 0;
        if (p.SkipTurns >= 1) {
            --p.SkipTurns;
            continue;
        }
        break;
    }
    state.DoublesCount = 0;
    state.TalkStep = ThrowRequest;
    timers.TimerTalk.setEnabled(true);
}

}  // namespace kroda
