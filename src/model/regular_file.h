#pragma once
// Reads the files a board is made of. Boards are passed around, so a name may lead to
// anything: only a regular file is read, never more than the limit for its kind, and a
// FIFO, a device, a folder or a symbolic-link loop is refused without blocking or waiting.

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace kroda {

// The largest file of each kind that a board may hold.
constexpr std::int64_t kConfigFileLimit = 1 << 20;
constexpr std::int64_t kCardFileLimit = 1 << 20;
constexpr std::int64_t kPictureFileLimit = 32 << 20;
constexpr std::int64_t kBoardSourceLimit = 4 << 20;

struct FileRead {
    QByteArray bytes;
    // Why the file cannot be used, worded to follow "cannot be read: ": "it is missing",
    // "it is a FIFO, not a regular file", "it is larger than 1048576 bytes". Empty when read.
    QString error;
    bool missing = false;  // nothing at all has the name
    std::int64_t size = 0;

    bool ok() const { return error.isEmpty(); }
};

// Reads at most `readLimit` bytes (all of them when negative) of the file at `path`, which
// must be a regular file of at most `sizeLimit` bytes.
FileRead readRegularFile(const QString& path, std::int64_t sizeLimit, std::int64_t readLimit = -1);

// Why an entry of the kind `mode` (a stat st_mode) is not a regular file, worded as
// FileRead::error: "it is a FIFO, not a regular file".
QString notRegularFileReason(unsigned mode);

// `folder` and `name` joined by one separator however the folder ends.
QString joinPath(const QString& folder, const QString& name);

}  // namespace kroda
