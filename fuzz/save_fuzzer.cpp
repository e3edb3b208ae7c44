// The save reader: any input is read, as it stands and with its checksum made again for its
// content (so that the field checks are reached), into a game on the default board. A bad
// input must change nothing; a save the reader accepts must play on for a minute of game
// time without an exception or a broken invariant.

#include "fuzz_support.h"

#include "game/invariants.h"
#include "game/save_game.h"
#include "game/windowless_game.h"

#include <cstddef>
#include <cstdint>
#include <exception>

namespace {

void readInto(const QByteArray& input) {
    using namespace kroda;
    WindowlessGame g(fuzz::defaultBoardFolder());
    g.port.startOfDay = 9 * 3600.0;
    const QByteArray before = writeSave(g.game, g.clock);
    if (readSave(input, g.game, g.clock)) {
        if (writeSave(g.game, g.clock) != before)
            fuzz::finding(QStringLiteral("a refused save changed the game"));
        return;
    }
    std::optional<InvariantBreach> broken;
    g.game.afterEvent = [&] {
        if (!broken)
            broken = brokenInvariant(g.game);
    };
    try {
        g.play(60'000);
    } catch (const std::exception& e) {
        fuzz::finding(QStringLiteral("a loaded save failed in play: ") + QString::fromUtf8(e.what()));
    }
    if (broken)
        fuzz::finding(QStringLiteral("a loaded save broke a rule in play: ") + broken->text());
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
