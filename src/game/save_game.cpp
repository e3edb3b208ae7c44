#include "game/save_game.h"

#include "game/game.h"
#include "game/save_checks.h"
#include "game/save_format.h"
#include "model/board_paths.h"
#include "model/regular_file.h"
#include "platform/null_front_end.h"
#include "platform/recording_port.h"
#include "sequencer/virtual_clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

namespace kroda {

QString saveFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/Save");
}

QString autosavePath() {
    return saveFolder() + QStringLiteral("/autosave.Sav");
}

namespace {

// Reads and checks everything, the invariants included, without touching any game.
std::optional<QString> readChecked(const QByteArray& bytes, PlatformPort& port,
                                   const QString& appFolder, SaveSource from,
                                   save::SaveImage& image) {
    save::SavedPaths paths(appFolder, from);
    if (auto fault = save::readImage(bytes, paths, image))
        return fault;
    if (auto fault = save::findBoardPictures(image, paths))
        return fault;
    return save::checkInvariants(image, port, appFolder);
}

QString withFile(const QString& path, const QString& what) {
    return path + QStringLiteral(": ") + what;
}

}  // namespace

std::optional<QString> readSave(const QByteArray& bytes, Game& game, VirtualClock& clock,
                                SaveSource from) {
    save::SaveImage image;
    if (auto fault = readChecked(bytes, game.port, game.appFolder(), from, image))
        return fault;
    save::putInto(image, game);
    std::int64_t due[kTimerCount];
    for (int i = 0; i < kTimerCount; ++i)
        due[i] = image.timers[i].Left < 0 ? -1 : image.now + image.timers[i].Left;
    clock.restore(image.now, static_cast<std::uint64_t>(image.ticks), due);
    // A game without windows tells the time of day from its clock: it goes on from the
    // saved day, so that the generator is stirred as it would have been.
    if (auto* null = dynamic_cast<NullFrontEnd*>(&game.port))
        null->startOfDay = image.timeOfDayAtZero;
    // A host's state names no music (game/save_paths.h), nor is any opened for it.
    game.resumeSaved(from == SaveSource::File && image.musicPlaying);
    return std::nullopt;
}

std::optional<QString> storeSaveFile(const QString& path, const Game& game,
                                     const VirtualClock& clock) {
    const QByteArray bytes = writeSave(game, clock);
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return withFile(path, QStringLiteral("its folder cannot be made"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return withFile(path, QStringLiteral("cannot be written: ") + file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        return withFile(path, QStringLiteral("cannot be written: ") + file.errorString());
    return std::nullopt;
}

std::optional<QString> loadSaveFile(const QString& path, Game& game, VirtualClock& clock) {
    const FileRead read = readRegularFile(path, save::kSaveFileLimit);
    if (!read.ok())
        return withFile(path, QStringLiteral("cannot be read: ") + read.error);
    if (auto fault = readSave(read.bytes, game, clock))
        return withFile(path, *fault);
    return std::nullopt;
}

std::optional<SavedBoard> readSavedBoard(const QString& path, const QString& appFolder,
                                         QString& error) {
    const FileRead read = readRegularFile(path, save::kSaveFileLimit);
    if (!read.ok()) {
        error = withFile(path, QStringLiteral("cannot be read: ") + read.error);
        return std::nullopt;
    }
    RecordingPort port;
    save::SaveImage m;
    if (auto fault = readChecked(read.bytes, port, appFolder, SaveSource::File, m)) {
        error = withFile(path, *fault);
        return std::nullopt;
    }
    // The board as the reader gave it: the squares without owners or buildings.
    SavedBoard saved;
    saved.bankruptCardOn = m.state.BankruptCardOn;
    LoadedBoard& b = saved.board;
    b.mark = QStringLiteral("KOVART");
    b.Config = m.state.Config;
    b.Deck1 = m.state.Deck1;
    b.Deck2 = m.state.Deck2;
    b.Squares = m.state.Squares;
    for (Square& q : b.Squares) {
        q.Owner = 0;
        q.Buildings = 0;
    }
    for (std::size_t i = 0; i < b.Pictures.size(); ++i)
        b.Pictures[i] = {m.window.ImgTable[i].Strip, m.window.ImgTable[i].Cell};
    // Card files are found where the board was read: its own folder or the game's.
    const QString cardFolder = m.boardFolder.isEmpty() ? appFolder : m.boardFolder;
    b.Deck1Path = resolveBoardPath(cardFolder, m.state.Config.Deck1File.trimmed()).path;
    b.Deck2Path = resolveBoardPath(cardFolder, m.state.Config.Deck2File.trimmed()).path;
    b.CornerPicturePath = m.source.PicCSource[CornerStrip].File;
    b.SidePicturePath = m.source.PicCSource[SideStrip].File;
    b.IllustrationPicturePath = m.source.PicCSource[IllustrationStrip].File;
    return saved;
}

std::optional<SavedBoard> readSavedBoard(const QString& path, QString& error) {
    return readSavedBoard(path, QCoreApplication::applicationDirPath(), error);
}

QByteArray resealSave(const QByteArray& bytes) {
    QJsonDocument doc = QJsonDocument::fromJson(bytes);
    if (!doc.isObject())
        return bytes;
    QJsonObject root = doc.object();
    root.insert(QLatin1String(save::kChecksumKey), save::contentChecksum(root));
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

void Game::resumeSaved(bool musicPlaying) {
    message_ = MessageCache{};
    typed_ = TypedMessage{};
    port.musicClose();
    if (!musicPlaying)
        return;
    if (!port.musicOpen(window.MM.FileName)) {
        musicRefused();
        return;
    }
    port.musicPlay();
}

}  // namespace kroda
