#include "art/canvas.h"
#include "art/pictures.h"
namespace kroda::art {
std::vector<WindowPicture> windowPictures() {
    std::vector<WindowPicture> v;
    for (const char* n : {"title/new-game.png", "title/continue.png", "title/about.png",
                          "title/manual.png", "title/exit.png"})
        v.push_back({n, clearImage(32, 32)});
    for (const char* n :
         {"wizard/description.png", "wizard/close.png", "wizard/back.png", "wizard/next.png",
          "toolbar/music.png", "toolbar/manual.png", "toolbar/quit.png"})
        v.push_back({n, clearImage(16, 16)});
    for (const char* n : {"dice/throw-both.png", "cursors/hand.png", "cursors/deed-title.png"})
        v.push_back({n, clearImage(32, 32)});
    return v;
}
}  // namespace kroda::art
