#pragma once
// Every picture file the windows show, loaded once and kept by its path. A holder's cell is
// a rectangle of its file's picture; nothing is copied to show it.

#include "screen/controls.h"

#include <QHash>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>

namespace kroda::widgets {

class PictureCache {
  public:
    // The picture of a file; a null image when the file is missing or not a picture.
    const QImage& picture(const QString& file);
    // Loads the files and keeps them, as the windows will show them; the first that is
    // missing or no picture that can be read is named with what is wrong with it.
    std::optional<QString> load(const QStringList& files);
    // The rectangle of cell `cell` of a holder inside picture(holder.File), counted row by
    // row from 0; an empty rectangle for a cell outside the grid or a holder with no picture.
    QRect cellRect(const PictureHolder& holder, int cell);
    void clear() { pictures_.clear(); }

  private:
    QHash<QString, QImage> pictures_;
};

}  // namespace kroda::widgets
