#pragma once
// A game without windows: the null front end, the game and its virtual clock, and the loop
// that plays it on until somebody at the keyboard would have to act. The headless driver and
// the tests share it.

#include "game/game.h"
#include "platform/null_front_end.h"
#include "sequencer/virtual_clock.h"

#include <QString>

#include <cstdint>
#include <functional>

namespace kroda {

class WindowlessGame {
  public:
    explicit WindowlessGame(const QString& appFolder);
    WindowlessGame(const WindowlessGame&) = delete;
    WindowlessGame& operator=(const WindowlessGame&) = delete;

    NullFrontEnd port;
    Game game;
    VirtualClock clock;

    // Runs until the game is over, the card window is open or a person is awaited, at most
    // `limit` ms. Returns whether one of those holds.
    bool wait(std::int64_t limit);
    // As wait, but closes every card window with a key press, `cardPause` ms after it opens
    // and after cardOpened has seen it. Stops early, returning true, at a card window that
    // does not close.
    bool play(std::int64_t limit, std::int64_t cardPause = 0,
              const std::function<void()>& cardOpened = {});
};

}  // namespace kroda
