// What a save must agree with beyond its fields: the board's pictures are found by name in
// the board's image folder, as when a board is read, and the moment keeps every rule's
// invariant.
#include "game/save_checks.h"

#include "game/invariants.h"
#include "model/board_paths.h"
#include "model/picture_grids.h"
#include "model/regular_file.h"

namespace kroda::save {

std::optional<QString> findBoardPictures(SaveImage& m, SavedPaths& paths) {
    const GameConfig& c = m.state.Config;
    // A game of a board folder of its own (kroda --board DIR) found them in its Image folder,
    // and everything else in the game folder.
    const QString imageFolder = m.boardFolder.isEmpty()
                                    ? m.state.ImageFolder
                                    : joinPath(m.boardFolder, QStringLiteral("Image"));
    const struct {
        const char* field;
        QString name;
        Integer holder;
    } pictures[] = {
        {"StripFile1", c.StripFile1.trimmed(), kCornerHolder},
        {"StripFile2", c.StripFile2.trimmed(), kSideHolder},
        {"StripFile3", c.StripFile3.trimmed(), kIllustrationHolder},
    };
    for (const auto& p : pictures) {
        const ResolvedPath found = resolveBoardPath(imageFolder, p.name);
        if (!found.ok())
            return QStringLiteral("state.Config.%1: the board's picture %2")
                .arg(QLatin1String(p.field), found.describe(p.name));
        if (const auto fault = paths.judgeFound(found.path))
            return QStringLiteral("state.Config.%1: the board's picture %2")
                .arg(QLatin1String(p.field), *fault);
        m.source.PicCSource[static_cast<std::size_t>(p.holder)].File = found.path;
    }
    return std::nullopt;
}

void putInto(const SaveImage& m, Game& game) {
    game.state = m.state;
    game.window = m.window;
    // The toolbar is the program's: a save of another version shows this version's buttons.
    layOutToolbar(game.window);
    game.FrmSource = m.source;
    game.FrmOCard = m.deedCard;
    game.random.setState(m.random);
    game.ledger.restore(m.payments, m.bankruptcies);
    game.scripted.dice.assign(m.scriptedDice.begin(), m.scriptedDice.end());
    game.scripted.answers.assign(m.scriptedAnswers.begin(), m.scriptedAnswers.end());
    for (int i = 0; i < kTimerCount; ++i) {
        LogicalTimer& t = game.timers[static_cast<TimerId>(i)];
        t.setInterval(m.timers[i].Interval);
        t.setEnabled(m.timers[i].Enabled);
    }
}

std::optional<QString> checkInvariants(const SaveImage& m, PlatformPort& port,
                                       const QString& appFolder) {
    // A game of its own, so that a moment that breaks a rule is never seen by the real one.
    Game scratch(port, appFolder);
    putInto(m, scratch);
    if (const auto breach = brokenInvariant(scratch))
        return QStringLiteral("the saved moment breaks a rule of the game: ") + breach->text();
    return std::nullopt;
}

}  // namespace kroda::save
