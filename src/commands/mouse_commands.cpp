// Clicks on the game window: the dice, the narrator and the board squares. While the card
// window is shown it is modal and the game window takes no clicks.
#include "game/game.h"

namespace kroda {

void Game::ImgTao_Click(int index) {
    if (cardOpen() || index < 0 || index > 2 || !window.ImgTao[index].Enabled ||
        (localPlayHeld && localPlayHeld()))
        return;
    switch (state.InputMode) {
        case RankingThrow:
        case MoveThrow:
            TaoProc(static_cast<Integer>(index), ThrowByPicture);
            ResolveThrow();
            break;
        case YesNoAnswer:
            if (index == 0)
                answerOffer(OfferAnswer::Yes);
            else if (index == 1)
                answerOffer(OfferAnswer::No);
            break;
        default:
            break;
    }
}

void Game::ImgDescripter_Click() {
    if (!cardOpen())
        hurryNarrator();
}

void Game::ImgTable_Click(int index) {
    if (cardOpen() || index < 0 || index >= kSquareCount)
        return;
    state.ViewedSquare = static_cast<Integer>(index + 1);
    port.showDeedCard();
}

}  // namespace kroda
