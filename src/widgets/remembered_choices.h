#pragma once
// What the program remembers from one game to the next: the speed button's speed and whether
// the game window was full screen. They are the program's, never a save's. Kept with
// QSettings in $XDG_CONFIG_HOME/kroda/kroda.conf; a value that is not one the program could
// have written is left unremembered.

#include <optional>

namespace kroda::widgets {

struct RememberedChoices {
    std::optional<double> speed;
    bool fullScreen = false;
};

RememberedChoices rememberedChoices();
void rememberSpeed(double speed);
void rememberFullScreen(bool on);

}  // namespace kroda::widgets
