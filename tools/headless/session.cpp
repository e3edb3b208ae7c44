#include "headless/session.h"

#include "game/save_game.h"
#include "model/game_files.h"
#include "model/seat_defaults.h"

#include <QDateTime>

#include <stdexcept>

namespace kroda::headless {

Session::Session(const QString& folder) : windowless_(folder) {
    Game& g = windowless_.game;
    windowless_.port.musicFollowsClock = true;
    // The deed card opens on the designed 640 x 480 screen, as the windows would place it.
    windowless_.port.deedCardShown = [&g] {
        if (g.FrmOCard.Visible)
            g.FrmOCard_Activate();
        else
            g.FrmOCard_Load(640, 480);
    };
    g.random.seed(static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()));
    // The wizard names every seat when it loads.
    for (int p = 1; p <= 4; ++p) g.state.Players(p).Name = QStringLiteral("ผู้เล่น:%1").arg(p);
}

void Session::setFolder(const QString& folder) {
    if (started())
        throw std::logic_error("the folder cannot change once the game has started");
    windowless_.game.setAppFolder(folder);
}

void Session::seed(std::uint64_t seed) {
    windowless_.game.random.seed(seed);
    windowless_.port.startOfDay = kSeededTimeOfDay;
}

void Session::setUpPlayer(int player, Controller who, const QString& name) {
    setUpSeat(windowless_.game.state, player, who, name.trimmed());
    setUp_[player] = true;
}

void Session::start() {
    if (started())
        throw std::logic_error("the game has already started");
    Game& g = windowless_.game;
    GameState& s = g.state;
    if (s.PlayerCount == 0)
        s.PlayerCount = 4;
    for (int p = 1; p <= s.PlayerCount; ++p) {
        if (!setUp_[p])
            setUpSeat(s, p, false, s.Players(p).Name.trimmed());
    }
    s.NewBoard = true;
    s.Config.ConfigPath = boardFile(folder());
    started_ = true;
    reportNarration();
    g.Form_Load();
}

void Session::reportNarration() {
    windowless_.game.narrationComplete = [this](Integer step, const QString& message) {
        if (onNarration)
            onNarration(now(), step, message);
    };
}

QByteArray Session::save() const {
    return writeSave(windowless_.game, windowless_.clock);
}

std::optional<QString> Session::load(const QByteArray& bytes) {
    if (auto fault = readSave(bytes, windowless_.game, windowless_.clock))
        return fault;
    started_ = true;
    reportNarration();
    return std::nullopt;
}

std::optional<QString> Session::saveFile(const QString& path) const {
    return storeSaveFile(path, windowless_.game, windowless_.clock);
}

std::optional<QString> Session::loadFile(const QString& path) {
    if (auto fault = loadSaveFile(path, windowless_.game, windowless_.clock))
        return fault;
    started_ = true;
    reportNarration();
    return std::nullopt;
}

void Session::advance(std::int64_t ms) {
    windowless_.clock.advance(ms);
}

bool Session::runUntil(const std::function<bool()>& done, std::int64_t limit) {
    return windowless_.clock.advanceUntil(done, limit);
}

bool Session::hasWinner() const {
    return windowless_.game.isOver();
}

bool Session::cardOpen() const {
    return windowless_.game.cardOpen();
}

bool Session::waitingForPerson() const {
    return windowless_.game.awaitsPerson();
}

bool Session::wait(std::int64_t limit) {
    return windowless_.wait(limit);
}

bool Session::play(std::int64_t limit) {
    return windowless_.play(limit);
}

}  // namespace kroda::headless
