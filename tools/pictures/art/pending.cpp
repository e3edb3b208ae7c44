#include "art/canvas.h"
#include "art/pictures.h"
namespace kroda::art {
QImage gameBackground() { return blankImage(640, 480, Qt::gray); }
QImage wizardBackground() { return blankImage(480, 400, Qt::gray); }
QImage aboutBackground() { return blankImage(400, 400, Qt::gray); }
QImage titleScreen() { return blankImage(640, 480, Qt::gray); }
QImage boardCentre() { return blankImage(288, 288, Qt::gray); }
QImage cornerSquares() { return blankImage(96, 96, Qt::gray); }
QImage sideSquares() { return blankImage(192, 192, Qt::gray); }
std::vector<WindowPicture> windowPictures() {
    std::vector<WindowPicture> v;
    for (const char* n : {"title/new-game.png", "title/continue.png", "title/about.png", "title/manual.png", "title/exit.png"}) v.push_back({n, clearImage(32, 32)});
    for (const char* n : {"wizard/description.png", "wizard/close.png", "wizard/back.png", "wizard/next.png", "toolbar/music.png", "toolbar/manual.png", "toolbar/quit.png"}) v.push_back({n, clearImage(16, 16)});
    for (const char* n : {"dice/throw-both.png", "cursors/hand.png", "cursors/deed-title.png"}) v.push_back({n, clearImage(32, 32)});
    return v;
}
}
