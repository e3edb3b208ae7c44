#include "game/save_game.h"

#include "game/game.h"
#include "sequencer/virtual_clock.h"

#include <QDir>
#include <QStandardPaths>

namespace kroda {

QString saveFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/Save");
}

QString autosavePath() {
    return saveFolder() + QStringLiteral("/autosave.Sav");
}

QByteArray writeSave(const Game&, const VirtualClock&) {
    return {};
}

std::optional<QString> readSave(const QByteArray&, Game&, VirtualClock&) {
    return QStringLiteral("not written yet");
}

std::optional<QString> storeSaveFile(const QString& path, const Game&, const VirtualClock&) {
    return path + QStringLiteral(": not written yet");
}

std::optional<QString> loadSaveFile(const QString& path, Game&, VirtualClock&) {
    return path + QStringLiteral(": not written yet");
}

std::optional<SavedBoard> readSavedBoard(const QString& path, QString& error) {
    error = path + QStringLiteral(": not written yet");
    return std::nullopt;
}

}  // namespace kroda
