#pragma once
// The values each writable field of the game may hold. `set` stores nothing outside them, so
// a script can put the game in any state the rules could reach but never index past an
// array or leave the sequencer at a step it does not have.

#include "model/value_types.h"

#include <QString>

#include <cstdint>

namespace kroda {
struct GameState;
}

namespace kroda::headless {

// Why `value` may not be stored at `path`; empty when it may. `started`: the game window has
// loaded, so the decks and seats are fixed.
QString wholeNumberProblem(const GameState& state, bool started, const QString& path,
                           std::int64_t value);
QString moneyProblem(const QString& path, Currency value);
QString flagProblem(bool started, const QString& path);
QString textProblem(const GameState& state, const QString& path, const QString& value);

}  // namespace kroda::headless
