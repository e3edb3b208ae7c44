#pragma once
// Plays whole games of computer players, one after the other, and sums them up.

#include "model/board_reader.h"
#include "rules/payment_cause.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace kroda::headless {

struct SimulationSettings {
    QString folder;
    int players = 4;
    // The seats (1..4) the strong computer plays; the designed computer plays the others.
    std::vector<int> strongSeats;
    bool bankruptCardOn = false;
    int games = 1;
    std::uint64_t seed = 0;  // game i is seeded with seed + i
    int maxTurns = 2000;
    // Checks the rules' invariants after every event and stops at the first that breaks.
    bool check = false;
    // Every 50 timer ticks the game is saved and played on from the save in a fresh game.
    bool resave = false;
};

// The first invariant a checked game broke.
struct InvariantReport {
    std::uint64_t seed = 0;
    int turn = 0;
    QString text;
    QByteArray dump;  // every value of the game when it broke, as `dump` prints it
};

// One game's outcome. A turn is each time the sequencer asks a player to throw.
struct GameOutcome {
    int turns = 0;
    int winner = 0;        // the winning seat, 0 when the game did not end
    int winnerPlace = 0;   // its place in the play order, 1 = first to play
    bool cutOff = false;   // stopped when it asked for a turn past the limit
    bool stalled = false;  // no timer ran and nobody could act
    std::uint64_t ticks = 0;
    std::optional<InvariantReport> broken;
    // The cause of each bankruptcy, in order; unknown when nothing had moved the player's money.
    std::vector<std::optional<PaymentCause>> bankruptcies;
    int firstBankruptcyTurn = 0;  // the turn of the first bankruptcy, 0 when there was none
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
    // The first game that broke an invariant; the simulation stops there.
    const InvariantReport* firstBroken() const;

    // {"games": .., "won": .., "cutOff": .., "stalled": .., "turns": {"mean", "median",
    //  "p95", "max"}, "strong": [..], "strongWins": .., "winsBySeat": [..], "winsByPlace": [..],
    //  "bankruptcies": {"rent": .., "purchase", "building", "tax", "fine", "cardPay", "loseAll",
    //  "bankruptCard", "other"}, "firstBankruptcyTurn": {"median": ..}, "timerTicks": ..,
    //  "seconds": ..}
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
