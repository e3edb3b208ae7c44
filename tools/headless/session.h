#pragma once
// One game played without windows, set up as the wizard would: the windowless game, whose
// time of day is a fixed instant plus the virtual time that has passed when it is seeded.

#include "game/windowless_game.h"
#include "model/seat_defaults.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace kroda::headless {

class Session {
  public:
    explicit Session(const QString& folder);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Game& game() { return windowless_.game; }
    const Game& game() const { return windowless_.game; }
    RecordingPort& port() { return windowless_.port; }
    const RecordingPort& port() const { return windowless_.port; }
    const QString& folder() const { return windowless_.game.appFolder(); }

    // Changes the application folder; only before the game starts. What was set up so far
    // is kept.
    void setFolder(const QString& folder);
    // Seeds the generator and fixes the time of day, so that a game repeats exactly.
    void seed(std::uint64_t seed);

    // Sets seat `player` up as the wizard does for a person or a computer.
    void setUpPlayer(int player, Controller who, const QString& name);
    void setUpPlayer(int player, bool human, const QString& name) {
        setUpPlayer(player, human ? Controller::Person : Controller::Computer, name);
    }

    // The wizard's hand-over: the game window loads and the sequencer starts at step 1.
    // Seats that take part but were never set up play as computers under their default
    // names. Throws BoardLoadError for a board that cannot be played.
    void start();
    bool started() const { return started_; }

    // The current moment as a save file's bytes (game/save_game.h).
    QByteArray save() const;
    // Replaces the game with the moment a save holds, which then counts as started. On a
    // fault returns what is wrong and leaves the game as it was.
    std::optional<QString> load(const QByteArray& bytes);
    // The same with files: "FILE: what is wrong" on a fault.
    std::optional<QString> saveFile(const QString& path) const;
    std::optional<QString> loadFile(const QString& path);

    // Virtual milliseconds since start.
    std::int64_t now() const { return windowless_.clock.now(); }
    std::uint64_t ticks() const { return windowless_.clock.ticksFired(); }

    void advance(std::int64_t ms);
    // Runs until a person must act, the card window is open or there is a winner, at most
    // `limit` ms. Returns whether one of those holds.
    bool wait(std::int64_t limit);
    // As wait, but closes every card window with a key press as it opens.
    bool play(std::int64_t limit);
    // Runs until `done` holds after a tick, or `limit` ms have passed.
    bool runUntil(const std::function<bool()>& done, std::int64_t limit);

    bool hasWinner() const;
    bool cardOpen() const;
    bool waitingForPerson() const;

    // Called with every completed narrator message.
    std::function<void(std::int64_t ms, Integer step, const QString& message)> onNarration;

  private:
    void reportNarration();

    WindowlessGame windowless_;
    bool started_ = false;
    bool setUp_[5] = {};
};

// The time of day a seeded game starts at: nine in the morning.
inline constexpr double kSeededTimeOfDay = 9 * 3600.0;

}  // namespace kroda::headless
