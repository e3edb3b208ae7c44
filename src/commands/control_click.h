#pragma once
// A click on a control of the game window, its card window or its deed card, by the control's
// name: whether the control takes the click now (enabled, visible, not under the modal card
// window) and what the click runs. The headless driver's clicks and the network's share it.

namespace kroda {

class Game;

enum class ClickableControl { ImgTao, ImgDescripter, ImgTable, ImgIconT, TxtCrd, LblClose };

// Whether a click on the control (with its index where it has one) would reach its handler.
bool takesClick(const Game& game, ClickableControl control, int index);

// Runs the click's handler on the game when the control takes it; call it from inside
// Game::handle. A toolbar button takes a press and a release, which the caller sends as two
// events (ImgIconT_MouseDown, ImgIconT_MouseUp), so ImgIconT does nothing here.
void clickControl(Game& game, ClickableControl control, int index);

}  // namespace kroda
