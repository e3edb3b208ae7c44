// Where a token stands on a square: one of its four quarters at rest, the centre while
// walking.
#include "game/game.h"

namespace kroda {

void Game::PutTao(Integer player, Integer square, Integer place) {
    if (!GameState::isSeat(player) || !GameState::isSquareIndex(square) || place < 1 || place > 5)
        return;
    const Rect& sq = window.ImgTable[square].Geometry;
    Rect& token = window.ShpMark[player - 1].Geometry;
    if (place == 5) {
        token.Left = sq.Left + (sq.Width - 16) / 2;
        token.Top = sq.Top + (sq.Height - 16) / 2;
        return;
    }
    // The 48-pixel corners keep their tokens 8 pixels in from the edges.
    const int inset = sq.Width == 32 ? 0 : 8;
    const bool right = place == 2 || place == 4;
    const bool lower = place == 3 || place == 4;
    token.Left = sq.Left + inset + (right ? 16 : 0);
    token.Top = sq.Top + inset + (lower ? 16 : 0);
}

}  // namespace kroda
