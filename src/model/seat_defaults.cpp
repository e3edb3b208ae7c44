#include "model/seat_defaults.h"

namespace kroda {

void setUpSeat(GameState& state, int player, bool human, const QString& name) {
    Player& p = state.Players(player);
    const SeatDefaults& seat = seatDefaults().at(static_cast<std::size_t>(player - 1));
    p.IsHuman = human;
    p.Color = seat.Color;
    p.Name = name;  // the field cuts it to 12
    if (human) {
        for (int k = 1; k <= 3; ++k) {
            p.KeyCode(k) = seat.KeyCode[static_cast<std::size_t>(k - 1)];
            p.KeyLabel(k) = QString::fromUtf16(seat.KeyLabel[static_cast<std::size_t>(k - 1)]);
        }
    }
}

}  // namespace kroda
