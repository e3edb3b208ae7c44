#pragma once
// A loaded board written back in the board source format, so that building the text again
// gives the same board.

#include "model/board_reader.h"

#include <QString>

namespace kroda {

QString dumpBoardSource(const LoadedBoard& board);

}  // namespace kroda
