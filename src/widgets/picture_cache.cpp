#include "widgets/picture_cache.h"

#include <QFileInfo>
#include <QImageReader>

#include <cstring>

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
    static const QImage none;
    if (held_.contains(file))
        return none;  // shown cell by cell, never read again
    auto it = pictures_.find(file);
    if (it == pictures_.end())
        it = pictures_.insert(file, file.isEmpty() ? QImage() : readPicture(file));
    return it.value();
}

std::optional<QString> PictureCache::load(const QStringList& files) {
    for (const QString& file : files) {
        if ((pictures_.contains(file) && !pictures_.value(file).isNull()) || held_.contains(file))
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

void PictureCache::clear() {
    pictures_.clear();
    held_.clear();
    decoded_.clear();
}

void PictureCache::holdByCells(const PictureHolder& holder) {
    const auto it = pictures_.find(holder.File);
    if (it == pictures_.end() || it->isNull() || holder.Rows < 1 || holder.Cols < 1)
        return;
    const QImage& image = *it;
    HeldCells held;
    held.cellSize = {image.width() / holder.Cols, image.height() / holder.Rows};
    held.format = image.format();
    if (held.cellSize.isEmpty())
        return;
    for (int cell = 0; cell < holder.Rows * holder.Cols; ++cell) {
        const QImage one = image.copy(cellRect(holder, cell));
        // Level 1: the pictures are drawn ones with wide flat areas, and a cell comes back in
        // a few microseconds.
        QByteArray compressed = qCompress(one.constBits(), static_cast<int>(one.sizeInBytes()), 1);
        compressed.squeeze();  // qCompress leaves room for the worst case
        held.cells.append(std::move(compressed));
    }
    held_.insert(holder.File, held);
    pictures_.erase(it);
}

const QImage* PictureCache::heldCell(const PictureHolder& holder, int cell) {
    const auto it = held_.constFind(holder.File);
    if (it == held_.constEnd())
        return nullptr;
    for (qsizetype i = 0; i < decoded_.size(); ++i) {
        if (decoded_[i].file == holder.File && decoded_[i].cell == cell) {
            decoded_.move(i, 0);
            return &decoded_.front().image;
        }
    }
    DecodedCell decoded{holder.File, cell, {}};
    if (cell >= 0 && cell < it->cells.size()) {
        const QByteArray bytes = qUncompress(it->cells[cell]);
        QImage image(it->cellSize, it->format);
        if (!image.isNull() && bytes.size() == image.sizeInBytes()) {
            std::memcpy(image.bits(), bytes.constData(), static_cast<std::size_t>(bytes.size()));
            decoded.image = std::move(image);
        }
    }
    decoded_.prepend(std::move(decoded));
    if (decoded_.size() > kDecodedCells)
        decoded_.removeLast();
    return &decoded_.front().image;
}

}  // namespace kroda::widgets
