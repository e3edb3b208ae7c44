#pragma once
// The game window's controls as plain data: what every picture, label, text box and shape
// shows and where. The windows render exactly this; the rules write only this.

#include "model/codes.h"
#include "model/value_types.h"

#include <QString>

#include <array>

namespace kroda {

// The game window's designed size, the largest window of the game: no control and no window
// is larger.
inline constexpr int kGameWindowWidth = 640;
inline constexpr int kGameWindowHeight = 480;
// How far from its origin a control's or a window's place may be. A control lies within its
// window and a window on the screen; eight game windows either side hold every place the game
// gives (a deed card centred on an 8K screen stands at 3670, 2040) and keep a card that is
// dragged within sight of a large desktop, while a place further out shows nothing to anyone.
inline constexpr int kPlaceReachX = 8 * kGameWindowWidth;
inline constexpr int kPlaceReachY = 8 * kGameWindowHeight;

// Picture-strip holders: a bitmap cut into rows x columns of equal cells.
enum Holder : Integer {
    SquareButtons = 0,
    LongButtons = 1,
    MiniButtons = 2,
    NarratorStrip = 3,
    FaceStrip1 = 4,  // player p uses holder p + 3
    DiceStrip = 8,
    CornerStrip = 9,
    SideStrip = 10,
    IllustrationStrip = 11,
    HorizontalBlocks = 12,
    VerticalBlocks = 13,
    BuildingLevels = 14,
};

// A holder of the source window: the file it was given and its grid of equal cells, numbered
// from 0 row by row. An empty File means nothing is loaded yet.
struct PictureHolder {
    QString File;
    int Rows = 1;
    int Cols = 1;
};

// The hidden source window FrmSource, which holds every picture that is cut into cells.
struct SourceWindow {
    std::array<PictureHolder, 15> PicCSource;
};

struct Rect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const Rect&) const = default;
};

// A picture shows one cell of a holder, or a whole file when Strip is -1.
struct Image {
    Rect Geometry;
    Integer Strip = -1;
    Integer Cell = 0;
    QString File;  // for a whole picture (Strip -1); empty shows nothing
    bool Visible = true;
    bool Enabled = true;
    bool HandPointer = false;
};

struct Label {
    Rect Geometry;
    QString Caption;
    Long ForeColor = 0x000000;
    Long BackColor = 0xFFFFFF;
    bool Visible = true;
};

struct TextBox {
    Rect Geometry;
    QString Text;
    int SelStart = 0;  // the caret
    Long ForeColor = 0x000000;
    Long BackColor = 0xFFFFFF;
    bool Visible = true;
};

struct Shape {
    Rect Geometry;
    Long FillColor = 0;
    bool Filled = true;  // false: only the outline is drawn (the frames)
    bool Visible = true;
};

// The music device: the MIDI file it opens on "open".
struct MusicControl {
    QString FileName;
};

// The card window: modal while visible; a key or a mouse press on the text closes it.
struct CardWindow {
    bool Visible = false;
    Rect Geometry;
    TextBox TxtCrd;
};

struct GameWindow {
    QString Caption;
    QString Picture;  // the background file
    bool KeyPreview = false;

    TextBox TxtDialog;
    Image ImgDescripter;
    std::array<Image, 3> ImgTao;
    std::array<Label, 3> LblKeyT;
    Shape ShpTaoPad;

    std::array<Image, 4> ImgPlayer;
    std::array<Label, 4> LblPName;
    std::array<Label, 4> LblPMoney;
    std::array<Shape, 4> ShpMark;

    std::array<Image, kSquareCount> ImgTable;
    std::array<Image, 36> ImgHead;
    std::array<Image, 36> ImgBottom;
    Image ImgCenter;
    std::array<Shape, 2> ShpCard;

    TextBox TxtLocation;
    Image ImgLocation;
    Label LblAct;
    Label LblPrice;
    Label LblOwner;
    Image ImgBuilding;

    std::array<Image, 6> ImgIconT;  // by ToolbarButtonValue; the others are unused
    Label LblBDescript;

    Shape ShpTable;                  // frame of the board
    Shape ShpLocation;               // frame of the information panel
    std::array<Shape, 4> ShpPlayer;  // frames of the player panels
    MusicControl MM;

    CardWindow FrmCard;
};

// Places the toolbar's buttons as this version of the game lays them out; a save made by
// another version is shown with them.
void layOutToolbar(GameWindow& window);

}  // namespace kroda
