// The game opens its deed card window centred, has the card draw ViewedSquare on every
// activation and closes it at its "X". The card changes nothing of the game.
#include "game/game.h"
#include "screen/window_placement.h"

#include <algorithm>

namespace kroda {

void Game::FrmOCard_Load(int screenWidth, int screenHeight) {
    FrmOCard = DeedCardWindow{};
    if (const auto at = placeWindow(kCentreAnchor, screenWidth, screenHeight,
                                    FrmOCard.Geometry.Width, FrmOCard.Geometry.Height)) {
        // A screen of any size gives a place within reach.
        FrmOCard.Geometry.Left = std::clamp(at->Left, -kPlaceReachX, kPlaceReachX);
        FrmOCard.Geometry.Top = std::clamp(at->Top, -kPlaceReachY, kPlaceReachY);
    }
    FrmOCard.Visible = true;
    FrmOCard_Activate();
}

void Game::FrmOCard_Activate() {
    FrmOCard.draw(state, state.ViewedSquare, [this](Currency amount) { return MShow(amount); });
}

void Game::LblClose_Click() {
    FrmOCard.hidePanels();
    FrmOCard.Visible = false;
}

}  // namespace kroda
