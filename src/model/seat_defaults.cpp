#include "model/seat_defaults.h"

namespace kroda {

void setUpSeat(GameState& state, int player, Controller who, const QString& name) {
    Player& p = state.Players(player);
    const SeatDefaults& seat = seatDefaults().at(static_cast<std::size_t>(player - 1));
    const bool human = who == Controller::Person;
    p.IsHuman = human;
    p.Strong = who == Controller::StrongComputer;
    p.Color = seat.Color;
    p.Name = name;  // the field cuts it to 12
    if (human) {
        for (int k = 1; k <= 3; ++k) {
            p.KeyCode(k) = seat.KeyCode[static_cast<std::size_t>(k - 1)];
            p.KeyLabel(k) = QString::fromUtf16(seat.KeyLabel[static_cast<std::size_t>(k - 1)]);
        }
    }
}

QList<int> setUpSeats(GameState& state, const QString& letters) {
    state.PlayerCount = static_cast<Integer>(letters.size());
    state.BankruptCardOn = false;
    QList<int> network;
    for (int p = 1; p <= static_cast<int>(seatDefaults().size()); ++p) {
        const QChar who = p <= letters.size() ? letters[p - 1] : QLatin1Char('c');
        const Controller controller = who == QLatin1Char('c')   ? Controller::Computer
                                      : who == QLatin1Char('s') ? Controller::StrongComputer
                                                                : Controller::Person;
        setUpSeat(state, p, controller, QStringLiteral("ผู้เล่น:%1").arg(p));
        if (who == QLatin1Char('n'))
            network << p;
    }
    return network;
}

}  // namespace kroda
