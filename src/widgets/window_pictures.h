#pragma once
// The small pictures of the windows' own design, compiled into kroda_window_pictures as Qt
// resources. Call kroda::windowpictures::load() once (after the application object exists)
// before using the paths; a static library cannot register its resources by itself.
//
//   Title screen icons, 32x32, centred on the 48x48 buttons:
//     ":/pictures/title/new-game.png"   new game
//     ":/pictures/title/continue.png"   continue a saved game (the hidden button)
//     ":/pictures/title/about.png"      about the game
//     ":/pictures/title/manual.png"     the manual
//     ":/pictures/title/exit.png"       leave the game
//     ":/pictures/title/join.png"       join a game over the network
//   Wizard icons, 16x16, on the 32x32 buttons:
//     ":/pictures/wizard/description.png", ":/pictures/wizard/close.png",
//     ":/pictures/wizard/back.png", ":/pictures/wizard/next.png"
//   Game window toolbar, 16x16:
//     ":/pictures/toolbar/music.png", ":/pictures/toolbar/save.png",
//     ":/pictures/toolbar/manual.png", ":/pictures/toolbar/quit.png"
//   The throw-both button between the dice, 32x32: ":/pictures/dice/throw-both.png"
//   Mouse pointers, 32x32 (hot spots below):
//     ":/pictures/cursors/hand.png"        the hand over clickable pictures (board squares,
//                                          the narrator)
//     ":/pictures/cursors/deed-title.png"  the deed card's title and close label (drag hand)
//
// Every picture has an alpha channel; pictures show through it onto the window's background.
// The game-folder pictures (BMP) keep calm areas for what the windows draw over them:
//   Title.bmp: 380..620 x 16..120 open for the "2.0" text; a dark plate under the four
//     buttons (72..568 x 310..378) and a light strip for the description label
//     (48..592 x 388..420).
//   Wizard.bmp: the page well at 96/88 361x257, a light strip for the description label
//     (96..332 x 356..388) and a dark plate under the buttons (338..468 x 354..398).
//   About.bmp: a band under the heading (8/8 385x25), a white well under the credits
//     (24/40 369x217) and a dark plate under the button (146..258 x 306..353).
//   The button strips' corners take the colour of those dark plates.

#include <QPoint>

namespace kroda::windowpictures {

inline constexpr const char* kTitleNewGame = ":/pictures/title/new-game.png";
inline constexpr const char* kTitleContinue = ":/pictures/title/continue.png";
inline constexpr const char* kTitleJoin = ":/pictures/title/join.png";
inline constexpr const char* kTitleAbout = ":/pictures/title/about.png";
inline constexpr const char* kTitleManual = ":/pictures/title/manual.png";
inline constexpr const char* kTitleExit = ":/pictures/title/exit.png";
inline constexpr const char* kWizardDescription = ":/pictures/wizard/description.png";
inline constexpr const char* kWizardClose = ":/pictures/wizard/close.png";
inline constexpr const char* kWizardBack = ":/pictures/wizard/back.png";
inline constexpr const char* kWizardNext = ":/pictures/wizard/next.png";
inline constexpr const char* kToolbarMusic = ":/pictures/toolbar/music.png";
inline constexpr const char* kToolbarSave = ":/pictures/toolbar/save.png";
inline constexpr const char* kToolbarManual = ":/pictures/toolbar/manual.png";
inline constexpr const char* kToolbarQuit = ":/pictures/toolbar/quit.png";
// The speed button at 1x, 2x and 4x.
inline constexpr const char* kToolbarSpeed[] = {":/pictures/toolbar/speed-1.png",
                                                ":/pictures/toolbar/speed-2.png",
                                                ":/pictures/toolbar/speed-4.png"};
inline constexpr const char* kThrowBoth = ":/pictures/dice/throw-both.png";
inline constexpr const char* kHandCursor = ":/pictures/cursors/hand.png";
inline constexpr const char* kDeedTitleCursor = ":/pictures/cursors/deed-title.png";

// Hot spots of the pointers: the tip of the pointing finger, the palm of the open hand.
inline constexpr QPoint kHandCursorHotSpot{11, 2};
inline constexpr QPoint kDeedTitleCursorHotSpot{15, 15};

// Registers the compiled-in pictures; safe to call more than once.
void load();

}  // namespace kroda::windowpictures
