#pragma once
// What the narration keeps from one tick of TimerTalk to the next, so that a message is
// neither built again nor copied while nothing it is made of has changed.

#include "model/value_types.h"

#include <QString>

namespace kroda {

// The current step's message, built once and reused while nothing it is made of has
// changed: the step, the player, his total or square, and the texts it quotes.
struct MessageCache {
    bool valid = false;
    Integer step = 0;
    Integer player = 0;
    Integer value = 0;
    QString quoted;  // the one stored text the message quotes, shared with its field
    QString message;
};

// What Talk typed into last: the message (held, so that its buffer stays its own) and the
// shown text's buffer.
struct TypedMessage {
    QString message;
    const QChar* buffer = nullptr;
};

}  // namespace kroda
