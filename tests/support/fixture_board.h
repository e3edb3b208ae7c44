#pragma once
// Loadable board folders for tests: a board source compiled into KovarT.dat and the two card
// files, with blank BMP pictures of the sizes the reader checks in dir/Image.

#include "model/board_reader.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace kroda::fixture {

// The default board's source text (data/default-board.kroda).
QString defaultBoardSource();

// A BMP picture of the given size, one bit per pixel, all black.
bool writeBlankBmp(const QString& path, int width, int height);

// The three square pictures under the given names and the four edge pictures.
bool writeBoardPictures(const QString& imageFolder, const QString& corners, const QString& sides,
                        const QString& illustrations);

// Writes KovarT.dat, the card files and dir/Image. A source with errors fails the calling
// test with the errors and returns false.
bool makeBoardFolder(const QString& dir, const QString& source);

// Where the game finds the board of a folder.
BoardLocation boardFolderLocation(const QString& dir);

// The game folder of this build, where kroda-board and the default board are.
QString gameFolder();

// The game folder again in dir, made of links to this build's, but with `file` (a path inside
// it, such as "RsCommon/Game.bmp") missing, or holding `bytes` when they are given.
bool gameFolderWith(const QString& dir, const QString& file,
                    const std::optional<QByteArray>& bytes);

}  // namespace kroda::fixture
