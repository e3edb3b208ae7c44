#pragma once
// A game without windows for the engine's tests: the windowless game with a board filled
// from a table in code, and ways to run the clock until something has happened.

#include "game/windowless_game.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace kroda::testing {

// A board like the default one: 40 squares, 20 treasure cards, 20 fortune cards (the 21st,
// built-in one with bankruptCardOn). Treasure card k pays k * 10; fortune card k takes k * 10.
LoadedBoard sampleBoard(bool bankruptCardOn);

struct Narration {
    Integer step;
    QString message;
    std::int64_t at;  // virtual time of the completing tick
};

class GameHarness {
  public:
    // Players 1..playerCount; `humans` lists which of them a person plays.
    explicit GameHarness(int playerCount = 4, std::vector<int> humans = {},
                         bool bankruptCardOn = false);

    WindowlessGame windowless;
    RecordingPort& port;
    Game& game;
    VirtualClock& clock;
    std::vector<Narration> narration;

    GameState& s() { return game.state; }
    Player& player(int p) { return game.state.Players(p); }
    Square& square(int position) { return game.state.Squares(position + 1); }

    // Form_Load with the sample board.
    void load();
    // Loads, then plays the greeting and the ranking with the given ranking totals (player
    // 1 first; each total is thrown as a non-double) until the first turn is asked for.
    void loadAndRank(const std::vector<int>& totals);

    // Sets up the start of a landing: the player stands on the square and it is his turn,
    // with the play order 1, 2, ... and the sequencer waiting.
    void standOn(int p, int position);
    // Player 1's landing on the square through both phases, as the sequencer runs it: the
    // announcement, then the effect (an offer or the card window opens, or the turn passes).
    void land(int position);

    // Queues die values for the next throws.
    void dice(std::initializer_list<int> values);

    // Runs the clock tick by tick until done() holds; false if it did not within limitMs.
    bool runUntil(const std::function<bool()>& done, std::int64_t limitMs = 600000);
    // Until the narrator has completed a message of the step.
    bool runUntilNarrated(Integer step, std::int64_t limitMs = 600000);
    // Until TalkStep is the step.
    bool runUntilStep(Integer step, std::int64_t limitMs = 600000);

    // Plays on until the winner has been named, closing every card window with a key a
    // second after it opens; false if the game has not ended within limitMs.
    bool playToEnd(std::int64_t limitMs = std::int64_t{24} * 3600 * 1000);

    // The messages completed so far, or only those of one step.
    std::vector<QString> messages(Integer step = 0) const;
    QString lastMessage() const { return narration.empty() ? QString() : narration.back().message; }
};

}  // namespace kroda::testing
