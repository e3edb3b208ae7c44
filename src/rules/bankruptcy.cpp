// A player whose money is gone leaves the game: his squares go back to the bank, and either
// the game goes on or the one player left has won.
#include "game/game.h"

namespace kroda {

namespace {
void returnSquareToBank(Game& g, Integer squareNumber) {
    Square& sq = g.state.Squares(squareNumber);
    sq.Owner = 0;
    sq.Buildings = 0;
    g.HouseCreate(static_cast<Integer>(squareNumber - 1), ClearOwnerMarker);
    g.HouseCreate(static_cast<Integer>(squareNumber - 1), BuildingsOnEdge);
}
}  // namespace

Integer Game::winner() const {
    for (int p = 1; p <= 4 && state.takesPart(p); ++p) {
        if (!state.Players(p).Bankrupt)
            return static_cast<Integer>(p);
    }
    return 0;
}

void Game::GameOver(Integer& player) {
    if (!GameState::isSeat(player))
        return;
    const Integer out = player;
    Player& P = state.Players(out);
    timers.TimerTalk.setEnabled(false);
    timers.TimeDelay.setEnabled(false);

    for (int j = 1; j <= 29; ++j) {
        const Integer s = P.Owned(j);
        if (s >= 1 && s <= kSquareCount)
            returnSquareToBank(*this, s);
    }
    // A square bought when every slot of the list was taken is found by its owner.
    for (int n = 1; n <= kSquareCount; ++n) {
        if (state.Squares(n).Owner == out)
            returnSquareToBank(*this, static_cast<Integer>(n));
    }

    window.LblPMoney[out - 1].Caption = QStringLiteral("ล้มละลาย");
    CFace(out, GrimFace);
    window.ShpMark[out - 1].Visible = false;
    P.Bankrupt = true;
    ++state.BankruptCount;
    ledger.recordBankruptcy(out);

    if (state.PlayerCount == state.BankruptCount + 1) {
        const Integer w = winner();
        if (w != 0)
            player = w;
        state.TalkStep = Winner;
    } else {
        state.TalkStep = PlayerBankrupt;
    }
    timers.TimerTalk.setEnabled(true);
}

}  // namespace kroda
