#include "widgets/picture_cache.h"

namespace kroda::widgets {

const QImage& PictureCache::picture(const QString& file) {
    auto it = pictures_.find(file);
    if (it == pictures_.end()) {
        QImage image;
        if (!file.isEmpty())
            image.load(file);
        it = pictures_.insert(file, image);
    }
    return it.value();
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
