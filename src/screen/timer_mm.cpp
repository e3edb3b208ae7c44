// The background music starts again when it has played to its end.
#include "game/game.h"

namespace kroda {

void Game::TimerMM_Timer() {
    const std::int64_t length = port.musicLength();
    if (length <= 0)
        return;
    if (port.musicPosition() >= length) {
        port.musicClose();
        port.musicOpen(window.MM.FileName);
        port.musicPlay();
    }
}

}  // namespace kroda
