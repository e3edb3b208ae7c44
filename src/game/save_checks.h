#pragma once
// The checks of a save that look past its own fields, and the putting of a checked image
// into a game.

#include "game/game.h"
#include "game/save_image.h"

#include <QString>

#include <optional>

namespace kroda::save {

// Finds the board's three square pictures by their names in the board's image folder and
// puts the files found, judged by `paths`, into the source window; a missing one is the fault
// returned.
std::optional<QString> findBoardPictures(SaveImage& m, SavedPaths& paths);

// The rules' invariants (game/invariants.h) on the image, checked in a game of its own.
std::optional<QString> checkInvariants(const SaveImage& m, PlatformPort& port,
                                       const QString& appFolder);

// Every part of the image except the clock's instants and the music.
void putInto(const SaveImage& m, Game& game);

}  // namespace kroda::save
