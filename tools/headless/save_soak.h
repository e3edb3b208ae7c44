#pragma once
// The invariant soak of saves: every file of a folder (a save fuzzer's corpus, a player's
// saves) is loaded as the game loads a save, and each that loads is played on with the rules'
// invariants checked after every event. Seats of persons are handed to the computer, as when a
// person leaves a network game, and card windows are closed as they open.

#include "headless/simulator.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace kroda::headless {

struct SaveSoakResult {
    int files = 0;
    int loaded = 0;  // as they stand, or once their checksum is made again for their content
    int won = 0;     // played on to a winner
    std::int64_t virtualMs = 0;
    std::uint64_t ticks = 0;
    double seconds = 0;
    // The first file played on that broke an invariant; the soak stops there.
    QString brokenFile;
    std::optional<InvariantReport> broken;

    // {"files": .., "loaded": .., "refused": .., "won": .., "virtualMs": .., "timerTicks": ..,
    //  "checked": true, "broken": 0|1, "seconds": ..}
    QByteArray toJson() const;
};

// Plays on from each save in `savesFolder` for at most `playMs` virtual ms, in a game of
// `gameFolder`. A game that fails with an exception counts as broken.
SaveSoakResult soakSaves(const QString& gameFolder, const QString& savesFolder,
                         std::int64_t playMs);

}  // namespace kroda::headless
