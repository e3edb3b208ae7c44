#pragma once
// What the fuzz targets share: a board folder split from one input, and the default board.

#include <QByteArray>
#include <QString>

#include <vector>

namespace kroda::fuzz {

// The files of a board folder in the order one input holds them, separated by kSeparator.
// Pictures need only their headers: the reader reads no pixels.
inline constexpr const char* kBoardFiles[] = {
    "KovarT.dat",         "Treasure.crd",     "Fortune.crd",       "Image/Corners.bmp",
    "Image/Sides.bmp",    "Image/Places.bmp", "Image/Hblocks.bmp", "Image/Vblocks.bmp",
    "Image/Stblocks.bmp", "Image/CBlock.bmp",
};
inline constexpr char kSeparator[] = "\n=KRODA-FILE=\n";

// The input cut at each separator; parts past the last file are dropped.
std::vector<QByteArray> splitInput(const QByteArray& input);

// Writes the parts into `folder` (Image/ included), removing files a part does not give.
void writeBoardFolder(const QString& folder, const std::vector<QByteArray>& parts);

// A scratch folder for this process, made once.
const QString& scratchFolder();

// The default board source and a folder holding the default board with blank pictures.
QByteArray defaultBoardSource();
const QString& defaultBoardFolder();

// Stops the run with a message when an expectation of the target fails.
[[noreturn]] void finding(const QString& what);

}  // namespace kroda::fuzz
