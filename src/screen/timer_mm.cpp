// The background music starts again when it has played to its end.
#include "game/game.h"

namespace kroda {

void Game::TimerMM_Timer() {
    const std::int64_t length = port.musicLength();
    if (length <= 0)
        return;
    if (port.musicPosition() >= length) {
        port.musicClose();
        // The file may have gone or changed since it was chosen.
        if (!port.musicOpen(window.MM.FileName)) {
            musicRefused();
            return;
        }
        port.musicPlay();
    }
}

}  // namespace kroda
