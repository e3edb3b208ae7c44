#pragma once
// The colours of the game's pictures: warm teak, cream and gold, with the players' and the
// colour groups' own colours.

#include <QColor>

#include <array>

namespace kroda::art {

namespace colours {
inline const QColor teak{122, 62, 24};
inline const QColor darkTeak{74, 34, 12};
inline const QColor cream{250, 240, 214};
inline const QColor paper{255, 249, 232};
inline const QColor edge{236, 218, 174};  // the board's plain edge
inline const QColor line{92, 52, 24};     // lines between squares
inline const QColor gold{222, 170, 40};
inline const QColor lightGold{250, 214, 110};
inline const QColor temple{176, 28, 36};  // Thai temple red
inline const QColor ink{40, 26, 18};
inline const QColor buttonGround{66, 30, 14};  // plates under the front-end buttons
inline const QColor sky{126, 196, 238};
inline const QColor sea{38, 128, 196};
inline const QColor grass{96, 176, 72};
inline const QColor treasure{0, 255, 255};  // the treasure pile's colour
inline const QColor fortune{255, 0, 255};   // the fortune pile's colour
}  // namespace colours

// The four players' colours as the game fills their pads and markers, and the slightly softer
// shades their faces are painted in.
inline const std::array<QColor, 4> playerColours{QColor(255, 0, 0), QColor(0, 255, 0),
                                                 QColor(255, 255, 255), QColor(0, 0, 255)};
inline const std::array<QColor, 4> faceColours{QColor(236, 52, 44), QColor(60, 196, 74),
                                               QColor(248, 248, 242), QColor(52, 98, 226)};

// The colour bands of the land groups and of the other kinds of square.
namespace groups {
inline const QColor brown{140, 78, 36};
inline const QColor lightBlue{120, 200, 240};
inline const QColor pink{236, 96, 160};
inline const QColor orange{244, 140, 28};
inline const QColor red{214, 36, 40};
inline const QColor yellow{248, 210, 30};
inline const QColor green{40, 156, 72};
inline const QColor darkBlue{30, 62, 160};
inline const QColor hotel{120, 64, 160};
inline const QColor utility{96, 120, 136};
inline const QColor tax{110, 110, 110};
}  // namespace groups

}  // namespace kroda::art
