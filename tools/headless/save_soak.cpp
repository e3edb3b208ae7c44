#include "headless/save_soak.h"

#include "game/invariants.h"
#include "game/save_format.h"
#include "game/save_game.h"
#include "headless/json_writer.h"
#include "headless/session.h"
#include "headless/state_paths.h"
#include "model/regular_file.h"

#include <QDir>
#include <QElapsedTimer>

#include <exception>

namespace kroda::headless {

namespace {

// Plays the session on from its loaded moment; the first breach, or an exception, is kept.
void playOn(Session& session, std::int64_t playMs, std::optional<InvariantReport>& broken) {
    Game& game = session.game();
    const auto check = [&] {
        if (broken)
            return;
        if (const auto b = brokenInvariant(game)) {
            const PathTable paths(session);
            broken = InvariantReport{0, 0, b->text(), dumpJson(paths)};
        }
    };
    game.afterEvent = check;
    try {
        for (int p = 1; p <= game.state.PlayerCount; ++p) {
            if (game.state.Players(p).IsHuman)
                game.handle([p](Game& g) { g.handToComputer(static_cast<Integer>(p)); });
        }
        session.play(playMs);
    } catch (const std::exception& e) {
        if (!broken)
            broken = InvariantReport{0, 0, QStringLiteral("it failed: ") + e.what(), {}};
    }
    game.afterEvent = nullptr;
}

}  // namespace

SaveSoakResult soakSaves(const QString& gameFolder, const QString& savesFolder,
                         std::int64_t playMs) {
    SaveSoakResult r;
    QElapsedTimer timer;
    timer.start();
    const QDir dir(savesFolder);
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        ++r.files;
        const FileRead read = readRegularFile(dir.filePath(name), save::kSaveFileLimit);
        if (!read.ok())
            continue;
        Session session(gameFolder);
        // A fuzzer keeps its inputs as it found them and reads each also with its checksum
        // made again for its content.
        if (session.load(read.bytes) && session.load(resealSave(read.bytes)))
            continue;
        ++r.loaded;
        const std::int64_t from = session.now();
        const std::uint64_t ticksFrom = session.ticks();
        playOn(session, playMs, r.broken);
        r.virtualMs += session.now() - from;
        r.ticks += session.ticks() - ticksFrom;
        if (r.broken) {
            r.brokenFile = dir.filePath(name);
            break;
        }
        if (session.hasWinner())
            ++r.won;
    }
    r.seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    return r;
}

QByteArray SaveSoakResult::toJson() const {
    QByteArray out = "{";
    out += "\"files\": " + QByteArray::number(files);
    out += ", \"loaded\": " + QByteArray::number(loaded);
    out += ", \"refused\": " + QByteArray::number(files - loaded);
    out += ", \"won\": " + QByteArray::number(won);
    out += ", \"virtualMs\": " + QByteArray::number(static_cast<qlonglong>(virtualMs));
    out += ", \"timerTicks\": " + QByteArray::number(static_cast<qulonglong>(ticks));
    out += QByteArray(", \"checked\": true, \"broken\": ") + (broken ? "1" : "0");
    out += ", \"seconds\": " + QByteArray::number(seconds, 'f', 3);
    out += "}\n";
    return out;
}

}  // namespace kroda::headless
