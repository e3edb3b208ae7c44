#include "widgets/picture_cache.h"

#include <QFileInfo>
#include <QImageReader>

namespace kroda::widgets {

namespace {

// The game's pictures are BMP files: naming the format spares Qt from loading every picture
// plugin to ask each whether it knows the file. Anything else is still tried as Qt sees it.
QImage readPicture(const QString& file, QString* why = nullptr) {
    QImageReader bmp(file, "bmp");
    QImage image = bmp.read();
    // A 24-bit picture is held as it is in the file, three bytes a pixel, not padded to four:
    // the game window's pictures take a quarter less memory, at the same colours.
    if (image.format() == QImage::Format_RGB32)
        image.convertTo(QImage::Format_RGB888);
    if (!image.isNull())
        return image;
    QImageReader any(file);
    image = any.read();
    if (image.isNull() && why)
        *why = any.errorString();
    return image;
}

}  // namespace

const QImage& PictureCache::picture(const QString& file) {
    auto it = pictures_.find(file);
    if (it == pictures_.end())
        it = pictures_.insert(file, file.isEmpty() ? QImage() : readPicture(file));
    return it.value();
}

std::optional<QString> PictureCache::load(const QStringList& files) {
    for (const QString& file : files) {
        if (pictures_.contains(file) && !pictures_.value(file).isNull())
            continue;
        const QFileInfo info(file);
        if (!info.exists())
            return file + QStringLiteral(": the file is missing");
        if (!info.isFile())
            return file + QStringLiteral(": not a file");
        QString why;
        const QImage image = readPicture(file, &why);
        if (image.isNull())
            return file + QStringLiteral(": not a picture that can be read (") + why +
                   QStringLiteral(")");
        pictures_.insert(file, image);
    }
    return std::nullopt;
}

QRect PictureCache::cellRect(const PictureHolder& holder, int cell) {
    const QImage& image = picture(holder.File);
    if (image.isNull() || holder.Rows < 1 || holder.Cols < 1 || cell < 0 ||
        cell >= holder.Rows * holder.Cols)
        return {};
    const int w = image.width() / holder.Cols;
    const int h = image.height() / holder.Rows;
    return {(cell % holder.Cols) * w, (cell / holder.Cols) * h, w, h};
}

}  // namespace kroda::widgets
