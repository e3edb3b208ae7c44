#include "fuzz_support.h"

#include "board/board_source.h"
#include "board/board_writer.h"
#include "model/picture_grids.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace kroda::fuzz {

namespace {

void put32(QByteArray& b, int at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

QByteArray bmpHeader(int width, int height) {
    QByteArray b(62, '\0');
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 10, 62);
    put32(b, 14, 40);
    put32(b, 18, static_cast<std::uint32_t>(width));
    put32(b, 22, static_cast<std::uint32_t>(height));
    return b;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        finding(QStringLiteral("cannot write the scratch file %1").arg(path));
}

}  // namespace

std::vector<QByteArray> splitInput(const QByteArray& input) {
    std::vector<QByteArray> parts;
    const QByteArray sep(kSeparator);
    qsizetype from = 0;
    const std::size_t files = std::size(kBoardFiles);
    while (parts.size() < files) {
        const qsizetype at = input.indexOf(sep, from);
        if (at < 0) {
            parts.push_back(input.mid(from));
            break;
        }
        parts.push_back(input.mid(from, at - from));
        from = at + sep.size();
    }
    return parts;
}

void writeBoardFolder(const QString& folder, const std::vector<QByteArray>& parts) {
    QDir().mkpath(folder + QStringLiteral("/Image"));
    for (std::size_t i = 0; i < std::size(kBoardFiles); ++i) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(kBoardFiles[i]);
        if (i < parts.size())
            writeFile(path, parts[i]);
        else
            QFile::remove(path);
    }
}

const QString& scratchFolder() {
    // In memory where there is such a place: the targets write files on every run.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/kroda-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/kroda-fuzz-XXXXXX"));
    static const QString path = dir.path();
    return path;
}

QByteArray defaultBoardSource() {
    QFile f(QStringLiteral(KRODA_SOURCE_DIR "/data/default-board.kroda"));
    if (!f.open(QIODevice::ReadOnly))
        finding(QStringLiteral("cannot read the default board source"));
    return f.readAll();
}

const QString& defaultBoardFolder() {
    static QTemporaryDir dir;
    static const QString path = [] {
        const SourceParseResult parsed =
            parseBoardSource(defaultBoardSource(), QStringLiteral("default"));
        if (!parsed.source || !writeBoardFiles(*parsed.source, dir.path()).isEmpty())
            finding(QStringLiteral("the default board does not build"));
        const QString image = dir.path() + QStringLiteral("/Image/");
        QDir().mkpath(image);
        writeFile(image + parsed.source->corners,
                  bmpHeader(kCornerGrid.width(), kCornerGrid.height()));
        writeFile(image + parsed.source->sides, bmpHeader(kSideGrid.width(), kSideGrid.height()));
        writeFile(image + parsed.source->illustrations,
                  bmpHeader(kIllustrationGrid.width(), kIllustrationGrid.height()));
        for (const EdgePicture& edge : kEdgePictures)
            writeFile(image + QLatin1String(edge.fileName),
                      bmpHeader(edge.grid.width(), edge.grid.height()));
        return dir.path();
    }();
    return path;
}

void finding(const QString& what) {
    std::fprintf(stderr, "fuzz finding: %s\n", what.toUtf8().constData());
    std::abort();
}

}  // namespace kroda::fuzz
