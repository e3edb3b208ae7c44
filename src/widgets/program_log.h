#pragma once
// The program's own log. Messages about the machine rather than the game (no sound server,
// no runtime folder) go to the log instead of the terminal; KRODA_LOG=1 prints them all.

namespace kroda::widgets {

void installProgramLog();

}  // namespace kroda::widgets
