#pragma once
// What a network client's windows send the host: the person's keys and clicks as protocol
// inputs, each for one of the client's own seats. The toolbar, the deed card's drag and the
// windows' activation stay on the client.

#include "network/protocol.h"
#include "widgets/input_sink.h"

#include <QList>

#include <optional>

namespace kroda {
struct GameState;
}

namespace kroda::widgets {

// The input for the host, or nullopt for what stays here (a held key's repeats among them). A
// key goes for the owned seat whose keys include it; any other key and every click for the
// owned seat that must act now, or else the first owned seat.
std::optional<network::Input> remoteInput(const WindowInput& input, const GameState& state,
                                          const QList<int>& ownSeats);

}  // namespace kroda::widgets
