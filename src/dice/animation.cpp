// The animation timer: the token walk, the dice flicker and the blinking yes/no pictures;
// and the narrator's mouth, which the sequencer moves at each of its ticks.
#include "game/game.h"

namespace kroda {

namespace {

void diceFlicker(Game& g) {
    g.random.mixTime(g.port.timeOfDay());
    if (g.state.Die1 == 0)
        g.window.ImgTao[0].Cell =
            static_cast<Integer>(static_cast<int>(g.random.next() * 6 + 1) - 1);
    if (g.state.Die2 == 0)
        g.window.ImgTao[1].Cell =
            static_cast<Integer>(static_cast<int>(g.random.next() * 6 + 1) - 1);
}

void walkStep(Game& g) {
    const Integer cur = g.state.CurPlayer;
    if (!GameState::isSeat(cur))
        return;
    Player& p = g.state.Players(cur);
    if (p.Steps != 0) {
        ++p.Position;
        if (p.Position >= kSquareCount) {
            // Passing or reaching the start square pays its money.
            p.Position = static_cast<Integer>(p.Position - kSquareCount);
            g.transfer(kBank, cur, g.amountOf(0), PaymentCause::StartMoney);
            g.refreshMoney(cur);
        }
        g.PutTao(cur, p.Position, 5);
        --p.Steps;
    } else {
        g.LocateCheck(static_cast<Integer>(p.Position + 1));
        g.timers.AnimateTimer.setEnabled(false);
        g.timers.TimerTalk.setEnabled(true);
    }
}

void yesNoBlink(Game& g) {
    const bool first = g.state.BlinkFlag == 1;
    g.window.ImgTao[0].Cell = first ? 7 : 6;
    g.window.ImgTao[1].Cell = first ? 9 : 8;
    g.state.BlinkFlag = first ? 0 : 1;
}

}  // namespace

void Game::AnimateTimer_Timer() {
    switch (state.AnimMode) {
        case TokenWalk:
            Animate(WalkOneSquare);
            break;
        case DiceFlicker:
            Animate(DiceFlickerFrame);
            break;
        case YesNoBlink:
            Animate(YesNoBlinkFrame);
            break;
        default:
            break;
    }
}

void Game::Animate(Integer pattern) {
    switch (pattern) {
        case NarratorMouth:
            window.ImgDescripter.Strip = NarratorStrip;
            window.ImgDescripter.Cell = state.BlinkFlag == 1 ? 2 : 1;
            state.BlinkFlag = state.BlinkFlag == 1 ? 0 : 1;
            break;
        case DiceFlickerFrame:
            diceFlicker(*this);
            break;
        case WalkOneSquare:
            walkStep(*this);
            break;
        case YesNoBlinkFrame:
            yesNoBlink(*this);
            break;
        default:
            break;
    }
}

}  // namespace kroda
