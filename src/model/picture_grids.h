#pragma once
// The pictures a board needs and their sizes: a picture is a grid of equal cells, numbered
// row by row from 0. The squares' pictures come from holder 9 (the four corners) or holder
// 10 (the 36 sides); holder 11 holds the squares' illustrations; the edge of the board is
// drawn from four pictures with fixed names.

#include "model/value_types.h"

#include <array>

namespace kroda {

struct PictureGrid {
    int rows;
    int columns;
    int cellWidth;
    int cellHeight;

    constexpr int width() const { return columns * cellWidth; }
    constexpr int height() const { return rows * cellHeight; }
    constexpr int cells() const { return rows * columns; }
};

constexpr Integer kCornerHolder = 9;
constexpr Integer kSideHolder = 10;
constexpr Integer kIllustrationHolder = 11;

constexpr PictureGrid kCornerGrid{2, 2, 48, 48};
constexpr PictureGrid kSideGrid{6, 6, 32, 32};
constexpr PictureGrid kIllustrationGrid{5, 8, 96, 96};

// The grid of a square-picture holder, or nothing for a holder squares cannot use.
constexpr const PictureGrid* squareHolderGrid(int holder) {
    if (holder == kCornerHolder)
        return &kCornerGrid;
    if (holder == kSideHolder)
        return &kSideGrid;
    return nullptr;
}

struct EdgePicture {
    const char* fileName;
    PictureGrid grid;
};

constexpr std::array<EdgePicture, 4> kEdgePictures = {{
    {"Hblocks.bmp", {10, 1, 33, 9}},
    {"Vblocks.bmp", {1, 10, 9, 33}},
    {"Stblocks.bmp", {6, 1, 96, 25}},
    {"CBlock.bmp", {1, 1, 288, 288}},
}};

}  // namespace kroda
