#include "widgets/remote_input.h"

#include "model/game_state.h"

namespace kroda::widgets {

namespace {

int actingSeat(const GameState& state, const QList<int>& ownSeats) {
    if (ownSeats.contains(static_cast<int>(state.CurPlayer)))
        return static_cast<int>(state.CurPlayer);
    return ownSeats.isEmpty() ? 1 : ownSeats.first();
}

int seatOfKey(int keyCode, const GameState& state, const QList<int>& ownSeats) {
    for (int seat : ownSeats) {
        if (!GameState::isSeat(seat))
            continue;
        const Player& p = state.Players(seat);
        for (int k = 1; k <= 3; ++k)
            if (p.KeyCode(k) == keyCode)
                return seat;
    }
    return actingSeat(state, ownSeats);
}

}  // namespace

std::optional<network::Input> remoteInput(const WindowInput& input, const GameState& state,
                                          const QList<int>& ownSeats) {
    if (const auto* key = std::get_if<KeyPress>(&input)) {
        // A held key's repeats would only spend the host's rate limit.
        if (key->autoRepeat)
            return std::nullopt;
        // A code no VK code can be would break the host's rules and cost the connection.
        if (key->keyCode < 0 || key->keyCode > 255 || key->shift < 0 || key->shift > 7)
            return std::nullopt;
        return network::Input{seatOfKey(key->keyCode, state, ownSeats),
                              network::KeyInput{key->keyCode, key->shift}};
    }
    if (const auto* click = std::get_if<ControlClick>(&input)) {
        if (click->control == ClickableControl::ImgIconT)
            return std::nullopt;
        const bool indexed = click->control == ClickableControl::ImgTao ||
                             click->control == ClickableControl::ImgTable;
        return network::Input{actingSeat(state, ownSeats),
                              network::ClickInput{click->control, indexed ? click->index : 0}};
    }
    return std::nullopt;
}

}  // namespace kroda::widgets
