// The pause between two messages: a first short tick stops the sequencer, the second, 2.5
// seconds later, lets it type the next step.
#include "game/game.h"

namespace kroda {

void Game::Pause() {
    timers.TimeDelay.setEnabled(true);
}

void Game::TimeDelay_Timer() {
    if (timers.TimerTalk.Enabled()) {
        timers.TimerTalk.setEnabled(false);
        timers.TimeDelay.setInterval(2500);
    } else {
        timers.TimerTalk.setEnabled(true);
        timers.TimeDelay.setEnabled(false);
        timers.TimeDelay.setInterval(1);
    }
}

}  // namespace kroda
