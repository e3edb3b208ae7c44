#pragma once
// Runs driver scripts in-process, and gives the tests a board folder of the default board.

#include "headless/script_runner.h"

#include <QString>

#include <string>

namespace kroda::headless::testing {

struct ScriptOutcome {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs `script` with the given folder as the default game folder.
ScriptOutcome runScript(const std::string& script, const QString& folder, bool narration = false);

// A folder holding the default board with blank pictures, made once per test program.
const QString& boardFolder();

// An empty folder: a game started there has no board.
const QString& emptyFolder();

}  // namespace kroda::headless::testing
