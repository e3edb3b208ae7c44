#pragma once
// What a client makes of the host's game: the save's document of the last moment loaded, and
// each state and moment read into the client's copy as a save from a host (SaveSource::Host,
// which names only files of the game folder and never music): a state whole, a moment merged
// into the document held. The client's session reads the host this way, and so does the fuzz
// target of a host's messages.

#include "game/game.h"
#include "network/protocol.h"
#include "sequencer/virtual_clock.h"

#include <QJsonObject>
#include <QString>

#include <optional>

namespace kroda::network {

class HostCopy {
  public:
    HostCopy(Game& game, VirtualClock& clock) : game_(game), clock_(clock) {}

    // Reads the message into the copy. On a fault returns what is wrong and leaves the copy
    // and the document as they were.
    std::optional<QString> take(const State& state);
    std::optional<QString> take(const Moment& moment);

    // The save's document of the last moment loaded; empty before the first state.
    const QJsonObject& document() const { return document_; }
    // Forgets the document, for a new join: a moment must follow a state again.
    void forget() { document_ = {}; }

  private:
    std::optional<QString> load(const QJsonObject& document);

    Game& game_;
    VirtualClock& clock_;
    QJsonObject document_;
};

}  // namespace kroda::network
