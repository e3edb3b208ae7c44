#pragma once
// Plays whole games of computer players, one after the other, and sums them up.

#include "model/board_reader.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace kroda::headless {

struct SimulationSettings {
    QString folder;
    int players = 4;
    bool bankruptCardOn = false;
    int games = 1;
    std::uint64_t seed = 0;  // game i is seeded with seed + i
    int maxTurns = 2000;
};

// One game's outcome. A turn is each time the sequencer asks a player to throw.
struct GameOutcome {
    int turns = 0;
    int winner = 0;        // the winning seat, 0 when the game did not end
    int winnerPlace = 0;   // its place in the play order, 1 = first to play
    bool cutOff = false;   // stopped when it asked for a turn past the limit
    bool stalled = false;  // no timer ran and nobody could act
    std::uint64_t ticks = 0;
};

struct SimulationResult {
    SimulationSettings settings;
    std::vector<GameOutcome> games;
    double seconds = 0;

    int won() const;
    int cutOff() const;
    int stalled() const;
    std::uint64_t ticks() const;
    std::int64_t totalTurns() const;

    // {"games": .., "won": .., "cutOff": .., "stalled": .., "turns": {"mean", "median",
    //  "p95", "max"}, "winsBySeat": [..], "winsByPlace": [..], "timerTicks": .., "seconds": ..}
    QByteArray toJson() const;
};

// Plays one game; throws BoardLoadError when the board cannot be read.
GameOutcome playComputerGame(const SimulationSettings& settings, std::uint64_t seed);

// The same, with the board taken from `reader` instead of the files.
using BoardReader = std::function<BoardReadResult(const BoardLocation&, bool bankruptCardOn)>;
GameOutcome playComputerGame(const SimulationSettings& settings, std::uint64_t seed,
                             const BoardReader& reader);

SimulationResult simulate(const SimulationSettings& settings);

}  // namespace kroda::headless
