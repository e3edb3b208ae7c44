// The animation timer: the token walk, the dice flicker and the blinking yes/no pictures;
// and the narrator's mouth, which the sequencer moves at each of its ticks.
#include "game/game.h"

namespace kroda {

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
            diceFlicker();
            break;
        case WalkOneSquare:
            walkStep();
            break;
        case YesNoBlinkFrame:
            yesNoBlink();
            break;
        default:
            break;
    }
}

void Game::diceFlicker() {
    random.mixTime(port.timeOfDay());
    if (state.Die1 == 0)
        window.ImgTao[0].Cell = static_cast<Integer>(static_cast<int>(random.next() * 6 + 1) - 1);
    if (state.Die2 == 0)
        window.ImgTao[1].Cell = static_cast<Integer>(static_cast<int>(random.next() * 6 + 1) - 1);
}

void Game::walkStep() {
    const Integer cur = state.CurPlayer;
    if (!GameState::isSeat(cur))
        return;
    Player& p = state.Players(cur);
    if (p.Steps != 0) {
        ++p.Position;
        if (p.Position > 39) {
            // Passing or reaching the start square pays its money.
            p.Position = static_cast<Integer>(p.Position - 40);
            p.Money += amountOf(0);
            refreshMoney(cur);
        }
        PutTao(cur, p.Position, 5);
        --p.Steps;
    } else {
        LocateCheck(static_cast<Integer>(p.Position + 1));
        timers.AnimateTimer.setEnabled(false);
        timers.TimerTalk.setEnabled(true);
    }
}

void Game::yesNoBlink() {
    const bool first = state.BlinkFlag == 1;
    window.ImgTao[0].Cell = first ? 7 : 6;
    window.ImgTao[1].Cell = first ? 9 : 8;
    state.BlinkFlag = first ? 0 : 1;
}

}  // namespace kroda
