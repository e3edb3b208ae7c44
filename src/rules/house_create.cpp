// The pictures a purchase leaves on the board: the owner's marker on the outer edge of a
// square, the building level on its inner edge and in the information panel.
#include "game/game.h"

namespace kroda {

namespace {
// The edge blocks of a side square: their index and strip. Corners have none.
bool edgeBlock(Integer position, int& index, Integer& strip) {
    if (position >= 1 && position <= 9) {
        index = position - 1;
        strip = HorizontalBlocks;
    } else if (position >= 11 && position <= 19) {
        index = position - 2;
        strip = VerticalBlocks;
    } else if (position >= 21 && position <= 29) {
        index = position - 3;
        strip = HorizontalBlocks;
    } else if (position >= 31 && position < kSquareCount) {
        index = position - 4;
        strip = VerticalBlocks;
    } else {
        return false;
    }
    return true;
}
}  // namespace

void Game::HouseCreate(Integer position, Integer mode) {
    if (!GameState::isSquareIndex(position))
        return;
    const Integer buildings = state.Squares(position + 1).Buildings;
    if (mode == BuildingsInPanel) {
        window.ImgBuilding.Strip = BuildingLevels;
        window.ImgBuilding.Cell = buildings;
        return;
    }
    int i = 0;
    Integer strip = 0;
    if (!edgeBlock(position, i, strip))
        return;
    switch (mode) {
        case OwnerMarker:
            window.ImgBottom[i].Strip = strip;
            window.ImgBottom[i].Cell = state.CurPlayer;
            break;
        case BuildingsOnEdge:
            window.ImgHead[i].Strip = strip;
            window.ImgHead[i].Cell =
                buildings == 0 ? Integer{0} : static_cast<Integer>(buildings + 4);
            break;
        case ClearOwnerMarker:
            window.ImgBottom[i].Strip = strip;
            window.ImgBottom[i].Cell = 0;
            break;
        default:
            break;
    }
}

}  // namespace kroda
