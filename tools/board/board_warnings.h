#pragma once
// What a board author likely did not mean, though the game plays it: hotels and the pair
// of utilities off the positions whose rents the game counts, and card squares whose deck
// has no card with a text.

#include "model/board_reader.h"

#include <vector>

namespace kroda {

std::vector<BoardProblem> boardWarnings(const LoadedBoard& board);

}  // namespace kroda
