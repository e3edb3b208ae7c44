#pragma once
// The rules' invariants: what must hold between any two events of a game, whatever the
// players do. A checker run after every timer tick and every input finds a rule that
// breaks at the event that broke it, not turns later when the game is stuck.

#include <QString>

#include <optional>

namespace kroda {

class Game;

struct InvariantBreach {
    QString rule;    // the invariant, in words: "square ownership agrees both ways"
    QString detail;  // what was found: "square 7 is owned by 2, whose slots do not list it"

    QString text() const { return rule + QStringLiteral(": ") + detail; }
};

// The first invariant the game breaks now, or nothing. Checked: ownership between squares
// and players' slots; buildings; bankrupt players; the ranges of the sequencer's variables
// and the deck positions; money of seats that do not take part; each player's money against
// the balance of his ledger entries; and that the game goes on: a timer moves it, a person or
// the card window is awaited, or there is a winner.
std::optional<InvariantBreach> brokenInvariant(const Game& game);

}  // namespace kroda
