#pragma once
// The save file's outer frame: its format name, version and checksum, the way paths inside
// the game's folder are written, and the writer and reader of the image inside.

#include "game/save_image.h"
#include "game/save_paths.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <cstdint>
#include <optional>

namespace kroda::save {

inline constexpr const char* kFormatKey = "format";
inline constexpr const char* kVersionKey = "version";
inline constexpr const char* kChecksumKey = "checksum";
// A path inside the game's folder is written from this mark on, so that a save moves with
// the game: "$APP/RsCommon/Game.bmp".
inline constexpr const char* kAppPrefix = "$APP/";
// The largest save file read.
inline constexpr std::int64_t kSaveFileLimit = 16 << 20;

QString relativePath(const QString& path, const QString& appFolder);
QString absolutePath(const QString& stored, const QString& appFolder);

// "sha256:" and the hash of the object's compact JSON without its checksum member: the
// content is hashed, not its layout, so a file re-indented by hand still reads.
QString contentChecksum(QJsonObject root);

QByteArray writeImage(const SaveImage& image, const QString& appFolder);

// Reads and checks every field of `bytes` into `image`: the frame, the domains, the timers,
// and every path by `paths`, which takes them to the game folder. Returns what is wrong.
std::optional<QString> readImage(const QByteArray& bytes, SavedPaths& paths, SaveImage& image);

}  // namespace kroda::save
