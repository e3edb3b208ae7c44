#include "game/windowless_game.h"

namespace kroda {

WindowlessGame::WindowlessGame(const QString& appFolder)
    : game(port, appFolder), clock(game.timers, [this](TimerId id) { game.fire(id); }) {
    port.elapsedMs = [this] { return clock.now(); };
}

bool WindowlessGame::wait(std::int64_t limit) {
    return clock.advanceUntil(
        [this] { return game.isOver() || game.cardOpen() || game.awaitsPerson(); }, limit);
}

bool WindowlessGame::play(std::int64_t limit, std::int64_t cardPause,
                          const std::function<void()>& cardOpened) {
    const std::int64_t until = clock.now() + limit;
    for (;;) {
        const bool stopped = wait(until - clock.now());
        if (!stopped || !game.cardOpen())
            return stopped;
        if (cardOpened)
            cardOpened();
        if (cardPause > 0)
            clock.advance(cardPause);
        // Someone watching presses a key to put the card away.
        game.handle([](Game& g) { g.keyPressed(SpaceKey, 0); });
        if (game.cardOpen())
            return true;
    }
}

}  // namespace kroda
