#pragma once
// The front end of a game without windows: nothing is shown or played, every request to the
// platform is recorded, and the time of day runs on with the game's virtual clock.

#include "platform/recording_port.h"

#include <cstdint>
#include <functional>

namespace kroda {

class NullFrontEnd : public RecordingPort {
  public:
    // Starts at the real time of day; a repeatable run fixes startOfDay instead.
    NullFrontEnd();
    NullFrontEnd(const NullFrontEnd&) = delete;
    NullFrontEnd& operator=(const NullFrontEnd&) = delete;

    // Seconds since midnight when the virtual clock stands at 0.
    double startOfDay = 0;
    // The game clock's milliseconds, whose time passes on the time of day; none keeps it at
    // startOfDay.
    std::function<std::int64_t()> elapsedMs;
};

}  // namespace kroda
