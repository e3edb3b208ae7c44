#include "support/fixture_board.h"

#include "board/board_source.h"
#include "board/board_writer.h"
#include "model/picture_grids.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace kroda::fixture {

namespace {

void put32(QByteArray& b, int at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void put16(QByteArray& b, int at, std::uint16_t v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>(v >> 8);
}

}  // namespace

QString defaultBoardSource() {
    QFile file(QStringLiteral(KRODA_SOURCE_DIR "/data/default-board.kroda"));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << file.fileName().toStdString();
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

bool writeBlankBmp(const QString& path, int width, int height) {
    const int rowBytes = (width + 31) / 32 * 4;
    const int headers = 14 + 40 + 8;  // file header, info header, two palette entries
    QByteArray b(headers, '\0');
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<std::uint32_t>(headers + rowBytes * height));
    put32(b, 10, headers);
    put32(b, 14, 40);
    put32(b, 18, static_cast<std::uint32_t>(width));
    put32(b, 22, static_cast<std::uint32_t>(height));
    put16(b, 26, 1);  // planes
    put16(b, 28, 1);  // bits per pixel
    put32(b, 34, static_cast<std::uint32_t>(rowBytes * height));
    put32(b, 46, 2);           // colours used
    put32(b, 58, 0x00FFFFFF);  // palette: black, white
    b.append(QByteArray(rowBytes * height, '\0'));
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(b) == b.size();
}

bool writeBoardPictures(const QString& imageFolder, const QString& corners, const QString& sides,
                        const QString& illustrations) {
    if (!QDir().mkpath(imageFolder))
        return false;
    const QString at = imageFolder + QLatin1Char('/');
    bool ok =
        writeBlankBmp(at + corners, kCornerGrid.width(), kCornerGrid.height()) &&
        writeBlankBmp(at + sides, kSideGrid.width(), kSideGrid.height()) &&
        writeBlankBmp(at + illustrations, kIllustrationGrid.width(), kIllustrationGrid.height());
    for (const EdgePicture& edge : kEdgePictures)
        ok = ok && writeBlankBmp(at + QLatin1String(edge.fileName), edge.grid.width(),
                                 edge.grid.height());
    return ok;
}

bool makeBoardFolder(const QString& dir, const QString& source) {
    const SourceParseResult parsed = parseBoardSource(source.toUtf8(), QStringLiteral("source"));
    if (!parsed.source) {
        ADD_FAILURE() << parsed.errors.join(QLatin1Char('\n')).toStdString();
        return false;
    }
    const QStringList errors = writeBoardFiles(*parsed.source, dir);
    if (!errors.isEmpty()) {
        ADD_FAILURE() << errors.join(QLatin1Char('\n')).toStdString();
        return false;
    }
    const BoardSource& s = *parsed.source;
    if (!writeBoardPictures(dir + QStringLiteral("/Image"), s.corners, s.sides, s.illustrations)) {
        ADD_FAILURE() << "cannot write the pictures into " << dir.toStdString();
        return false;
    }
    return true;
}

BoardLocation boardFolderLocation(const QString& dir) {
    return {dir + QStringLiteral("/KovarT.dat"), dir, dir + QStringLiteral("/Image")};
}

QString gameFolder() {
    return QStringLiteral(KRODA_GAME_DIR);
}

bool gameFolderWith(const QString& dir, const QString& file,
                    const std::optional<QByteArray>& bytes) {
    // Links all the way down the file's own path, so that only the file itself differs.
    const QStringList parts = file.split(QLatin1Char('/'));
    QString from = gameFolder();
    QString to = dir;
    for (int depth = 0; depth < parts.size(); ++depth) {
        const QDir source(from);
        for (const QString& name : source.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
            if (name == parts[depth])
                continue;
            if (!QFile::link(source.filePath(name), to + QLatin1Char('/') + name)) {
                ADD_FAILURE() << "cannot link " << source.filePath(name).toStdString();
                return false;
            }
        }
        from += QLatin1Char('/') + parts[depth];
        to += QLatin1Char('/') + parts[depth];
        if (depth + 1 < parts.size() && !QDir().mkpath(to)) {
            ADD_FAILURE() << "cannot make " << to.toStdString();
            return false;
        }
    }
    if (!bytes)
        return true;
    QFile out(to);
    if (!out.open(QIODevice::WriteOnly) || out.write(*bytes) != bytes->size()) {
        ADD_FAILURE() << "cannot write " << to.toStdString();
        return false;
    }
    return true;
}

}  // namespace kroda::fixture
