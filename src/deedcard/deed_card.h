#pragma once
// The deed card window FrmOCard as plain data: its labels, picture and four panels, the rule
// that draws a square's card, and its drag by the title line. The window widget shows this.

#include "model/game_state.h"
#include "screen/controls.h"

#include <QString>

#include <array>
#include <functional>

namespace kroda {

// The panels, all in one place; at most one is shown.
enum DeedPanel : int {
    LandPanel = 0,   // PicOpad(0): rents with 0..4 houses and a hotel, the building prices
    TextPanel = 1,   // PicOpad(1): two lines of text for the other kinds
    PairPanel = 2,   // PicOpad(2): the utility pair's two rents
    HotelPanel = 3,  // PicOpad(3): the hotel sites' five rents
};

struct DeedPanelBox {
    Rect Geometry;
    bool Visible = false;
};

struct DeedCardWindow {
    DeedCardWindow();

    bool Visible = false;
    QString Caption = QStringLiteral("///");
    Rect Geometry{0, 0, 340, 240};  // Left and Top on the screen
    Long BackColor = 0xFFFFFF;

    Label LblLname;  // the title line and drag handle
    Label LblClose;  // the red "X"
    Image ImgOLocate;
    Label LblLabel;
    std::array<DeedPanelBox, 4> PicOpad;
    // Fixed texts of the panels' left columns, in window coordinates.
    std::array<Label, 8> LblLand;
    std::array<Label, 2> LblPair;
    std::array<Label, 5> LblHotel;
    // Values of the panels' right columns.
    std::array<Label, 8> LblVariable;
    std::array<Label, 2> Lblv3;
    std::array<Label, 5> LblVriable2;
    std::array<Label, 2> LblOcard1;

    // The pointer position inside the title line the drag measures from.
    int DragX = 0;
    int DragY = 0;

    // Hides every panel: the card then shows only what it had.
    void hidePanels();
    // The card of square `squareNumber` (1..40) of `state`, money shown with `money`. With
    // no board loaded the card keeps its resting texts.
    void draw(const GameState& state, Integer squareNumber,
              const std::function<QString(Currency)>& money);

    // The title line's mouse: with the left button held the window follows the pointer,
    // otherwise the pointer's place is remembered. x, y are inside the title line.
    void LblLname_MouseMove(int button, int x, int y);
    void LblLname_MouseUp(int button, int x, int y);
};

// The left mouse button, as the mouse handlers receive it.
inline constexpr int kLeftButton = 1;

}  // namespace kroda
