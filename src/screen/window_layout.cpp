// The game window as it is designed: where every control stands, its colours and what it
// shows before the game is loaded; and the grids of the source window's picture holders.
#include "game/game.h"
#include "model/seat_defaults.h"

namespace kroda {

namespace {

Rect squareRect(int k) {
    if (k == 0)
        return {344, 344, 48, 48};
    if (k < 10)
        return {344 - 32 * k, 352, 32, 32};
    if (k == 10)
        return {8, 344, 48, 48};
    if (k < 20)
        return {16, 344 - 32 * (k - 10), 32, 32};
    if (k == 20)
        return {8, 8, 48, 48};
    if (k < 30)
        return {56 + 32 * (k - 21), 16, 32, 32};
    if (k == 30)
        return {344, 8, 48, 48};
    return {352, 56 + 32 * (k - 31), 32, 32};
}

// The head block lies on the board's inner side of side square k, the bottom block on the
// board's outer edge.
void edgeBlockRects(int k, Rect& head, Rect& bottom) {
    if (k <= 8) {
        head = {312 - 32 * k, 344, 33, 9};
        bottom = {312 - 32 * k, 384, 33, 9};
    } else if (k <= 17) {
        head = {48, 312 - 32 * (k - 9), 9, 33};
        bottom = {8, 312 - 32 * (k - 9), 9, 33};
    } else if (k <= 26) {
        head = {56 + 32 * (k - 18), 48, 33, 9};
        bottom = {56 + 32 * (k - 18), 8, 33, 9};
    } else {
        head = {344, 56 + 32 * (k - 27), 9, 33};
        bottom = {384, 56 + 32 * (k - 27), 9, 33};
    }
}

void layOutSourceWindow(SourceWindow& source) {
    const int grids[15][2] = {{1, 3},  {1, 3}, {1, 3}, {1, 5}, {1, 5},  {1, 5},  {1, 5}, {1, 5},
                              {1, 10}, {2, 2}, {6, 6}, {5, 8}, {10, 1}, {1, 10}, {6, 1}};
    for (int h = 0; h < 15; ++h) {
        source.PicCSource[h].Rows = grids[h][0];
        source.PicCSource[h].Cols = grids[h][1];
    }
}

}  // namespace

void layOutToolbar(GameWindow& w) {
    for (Image& icon : w.ImgIconT) {
        icon = Image{};
        icon.Visible = false;
    }
    // The designed three keep their places; the save button stands after them and the speed
    // button before them, where the fortune pile leaves room.
    const int iconLeft[6] = {0, 88, 184, 64, 120, 152};
    for (int i : kToolbarButtons) {
        w.ImgIconT[i].Geometry = {iconLeft[i], 312, 16, 16};
        w.ImgIconT[i].Visible = true;
        w.ImgIconT[i].HandPointer = true;
    }
}

void Game::layOutWindow() {
    layOutSourceWindow(FrmSource);
    GameWindow& w = window;

    w.ShpTable = {{8, 8, 385, 385}, 0x000000, false, true};
    w.ImgCenter.Geometry = {56, 56, 288, 288};
    w.ShpCard[0] = {{64, 64, 121, 73}, 0xFFFF00, true, true};    // cyan, the first deck
    w.ShpCard[1] = {{216, 264, 121, 73}, 0xFF00FF, true, true};  // magenta, the second deck
    for (int k = 0; k < kSquareCount; ++k) w.ImgTable[k].Geometry = squareRect(k);
    for (int k = 0; k < 36; ++k) edgeBlockRects(k, w.ImgHead[k].Geometry, w.ImgBottom[k].Geometry);

    w.ImgDescripter.Geometry = {8, 400, 72, 72};
    w.ImgDescripter.HandPointer = true;
    w.TxtDialog.Geometry = {80, 400, 313, 72};
    w.TxtDialog.BackColor = 0x00FFFF;  // yellow

    w.ShpTaoPad = {{112, 160, 177, 81}, 0xC0C0C0, true, true};
    const Rect dice[3] = {{128, 168, 40, 40}, {232, 168, 40, 40}, {184, 164, 32, 32}};
    const Rect keys[3] = {{120, 216, 57, 17}, {224, 216, 57, 17}, {176, 200, 49, 17}};
    for (int i = 0; i < 3; ++i) {
        w.ImgTao[i].Geometry = dice[i];
        w.ImgTao[i].Enabled = false;  // only while a person must throw or answer
        w.LblKeyT[i].Geometry = keys[i];
        w.LblKeyT[i].Caption = QStringLiteral("---");
    }
    w.ImgTao[0].Strip = DiceStrip;
    w.ImgTao[1].Strip = DiceStrip;

    w.ShpLocation = {{400, 8, 233, 169}, 0x000000, false, true};
    w.ImgLocation.Geometry = {408, 24, 96, 96};
    w.ImgBuilding.Geometry = {408, 136, 96, 25};
    w.TxtLocation.Geometry = {512, 24, 113, 49};
    w.LblOwner.Geometry = {512, 72, 113, 41};
    w.LblAct.Geometry = {512, 120, 105, 25};
    w.LblPrice.Geometry = {512, 144, 105, 17};

    for (int p = 0; p < 4; ++p) {
        w.ShpPlayer[p] = {{400, 184 + 72 * p, 233, 73}, 0x000000, false, true};
        w.ImgPlayer[p].Geometry = {408, 192 + 72 * p, 56, 56};
        w.ImgPlayer[p].Strip = static_cast<Integer>(FaceStrip1 + p);
        w.ImgPlayer[p].Cell = 0;
        w.LblPName[p].Geometry = {472, 192 + 72 * p, 153, 25};
        w.LblPMoney[p].Geometry = {472, 224 + 72 * p, 153, 25};
        // Every token starts in its own quarter of the start square.
        const Rect start = squareRect(0);
        w.ShpMark[p] = {{start.Left + 8 + 16 * (p % 2), start.Top + 8 + 16 * (p / 2), 16, 16},
                        seatDefaults()[p].Color,
                        true,
                        true};
    }

    layOutToolbar(w);
    w.LblBDescript.Geometry = {64, 280, 137, 17};
    w.LblBDescript.Caption = QStringLiteral("คำอธิบายปุ่ม");
}

}  // namespace kroda
