// The save reader alone: any input is read, as it stands and with its checksum made again for
// its content (so that the field checks are reached), into a game on the default board. A
// refused save must change nothing. An accepted one is a moment the game holds as its own:
// what the game writes of it reads again and is written back byte for byte. Accepted saves
// are played on by the invariant soak (`playsaves` of the headless driver).

#include "fuzz_support.h"

#include "game/save_game.h"
#include "game/windowless_game.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

using namespace kroda;

// The time of day the games of the target start at.
constexpr double kStartOfDay = 9 * 3600.0;

// A game that no save has been read into yet, and its moment as the game writes it. A refused
// save leaves it so and it serves the next input; one that loads takes it, and a new game
// takes its place.
struct Fresh {
    std::unique_ptr<WindowlessGame> game;
    QByteArray written;

    WindowlessGame& get() {
        if (!game) {
            game = std::make_unique<WindowlessGame>(fuzz::defaultBoardFolder());
            game->port.startOfDay = kStartOfDay;
            written = writeSave(game->game, game->clock);
        }
        return *game;
    }
};

void readInto(const QByteArray& input) {
    static Fresh fresh;
    WindowlessGame& g = fresh.get();
    if (readSave(input, g.game, g.clock)) {
        if (writeSave(g.game, g.clock) != fresh.written)
            fuzz::finding(QStringLiteral("a refused save changed the game"));
        return;
    }
    const QByteArray written = writeSave(g.game, g.clock);
    fresh.game.reset();
    WindowlessGame again(fuzz::defaultBoardFolder());
    if (const auto fault = readSave(written, again.game, again.clock))
        fuzz::finding(QStringLiteral("what the game wrote of an accepted save does not read: ") +
                      *fault);
    if (writeSave(again.game, again.clock) != written)
        fuzz::finding(QStringLiteral("what the game wrote of an accepted save reads otherwise"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    readInto(input);
    const QByteArray resealed = kroda::resealSave(input);
    if (resealed != input)
        readInto(resealed);
    return 0;
}
