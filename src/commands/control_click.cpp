#include "commands/control_click.h"

#include "game/game.h"

#include <cstddef>

namespace kroda {

namespace {

bool inRange(int index, std::size_t count) {
    return index >= 0 && static_cast<std::size_t>(index) < count;
}

}  // namespace

bool takesClick(const Game& game, ClickableControl control, int index) {
    const GameWindow& win = game.window;
    // While the card window is open it is modal: the game window takes no clicks.
    const bool gameWindowTakesClicks = !win.FrmCard.Visible;
    switch (control) {
        case ClickableControl::ImgTao:
            if (!inRange(index, win.ImgTao.size()))
                return false;
            return gameWindowTakesClicks && win.ImgTao[static_cast<std::size_t>(index)].Enabled &&
                   win.ImgTao[static_cast<std::size_t>(index)].Visible;
        case ClickableControl::ImgDescripter:
            return gameWindowTakesClicks && win.ImgDescripter.Enabled;
        case ClickableControl::ImgTable:
            return inRange(index, win.ImgTable.size()) && gameWindowTakesClicks &&
                   win.ImgTable[static_cast<std::size_t>(index)].Enabled;
        case ClickableControl::ImgIconT:
            return gameWindowTakesClicks;
        case ClickableControl::TxtCrd:
            return win.FrmCard.Visible;
        case ClickableControl::LblClose:
            return game.FrmOCard.Visible;
    }
    return false;
}

void clickControl(Game& game, ClickableControl control, int index) {
    if (!takesClick(game, control, index))
        return;
    switch (control) {
        case ClickableControl::ImgTao:
            game.ImgTao_Click(index);
            break;
        case ClickableControl::ImgDescripter:
            game.ImgDescripter_Click();
            break;
        case ClickableControl::ImgTable:
            game.ImgTable_Click(index);
            break;
        case ClickableControl::ImgIconT:
            break;
        case ClickableControl::TxtCrd:
            game.TxtCrd_MouseDown(kLeftButton, 0, 0, 0);
            break;
        case ClickableControl::LblClose:
            game.LblClose_Click();
            break;
    }
}

}  // namespace kroda
