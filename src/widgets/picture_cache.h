#pragma once
// Every picture file the windows show, loaded once and kept by its path. A holder's cell is
// a rectangle of its file's picture; nothing is copied to show it, except for a holder kept
// by cells.

#include "screen/controls.h"

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QList>
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
    void clear();

    // Keeps the loaded picture of a holder whose cells are shown one or two at a time (the
    // squares' illustrations: a megabyte as an image) as its cells, each compressed, and lets
    // the picture itself go. A few cells are kept decoded for the paints that follow.
    void holdByCells(const PictureHolder& holder);
    // Cell `cell` of a holder held by cells, as an image of its own, valid until the next
    // call; null for any other holder (its cells are rectangles of picture()) and for a cell
    // outside the grid.
    const QImage* heldCell(const PictureHolder& holder, int cell);

  private:
    struct HeldCells {
        QSize cellSize;
        QImage::Format format = QImage::Format_Invalid;
        QList<QByteArray> cells;  // row by row, each the qCompress of its scan lines
    };
    struct DecodedCell {
        QString file;
        int cell = -1;
        QImage image;
    };
    static constexpr int kDecodedCells = 4;

    QHash<QString, QImage> pictures_;
    QHash<QString, HeldCells> held_;
    QList<DecodedCell> decoded_;  // the most recently used first
};

}  // namespace kroda::widgets
