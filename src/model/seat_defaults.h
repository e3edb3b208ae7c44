#pragma once
// What the new-game wizard gives each seat: its colour, its three keys and their captions.

#include "model/game_state.h"
#include "model/value_types.h"

#include <QList>
#include <QString>

#include <array>

namespace kroda {

struct SeatDefaults {
    Long Color;      // red in the low byte
    Long BandColor;  // the wizard's band
    Long BandTextColor;
    std::array<Integer, 3> KeyCode;
    std::array<const char16_t*, 3> KeyLabel;    // shown in play
    std::array<const char16_t*, 3> KeyCaption;  // shown on the wizard's name page
};

// Seats 1..4 at indexes 0..3.
inline const std::array<SeatDefaults, 4>& seatDefaults() {
    static const std::array<SeatDefaults, 4> seats = {{
        {0x0000FF, 0x0000FF, 0xFFFFFF, {83, 68, 70}, {u"S", u"D", u"F"}, {u"S", u"D", u"F"}},
        {0x00FF00, 0x00FF00, 0x000000, {74, 75, 76}, {u"J", u"K", u"L"}, {u"J", u"K", u"L"}},
        {0xFFFFFF,
         0xFFFFFF,
         0x000000,
         {37, 40, 39},
         {u"ซ้าย", u"ลง", u"ขวา"},
         {u"ลูกศรซ้าย", u"ลูกศรลง", u"ลูกศรขวา"}},
        {0xFF0000,
         0xFF0000,
         0xFFFFFF,
         {100, 101, 102},
         {u"4", u"5", u"6"},
         {u"4(แป้นตัวเลข)", u"5(แป้นตัวเลข)", u"6(แป้นตัวเลข)"}},
    }};
    return seats;
}

// Who plays a seat.
enum class Controller { Person, Computer, StrongComputer };

// Seats player (1..4) as the wizard leaves it: who plays it, its name, its colour and, for a
// person, its three keys.
void setUpSeat(GameState& state, int player, Controller who, const QString& name);
inline void setUpSeat(GameState& state, int player, bool human, const QString& name) {
    setUpSeat(state, player, human ? Controller::Person : Controller::Computer, name);
}

// The game of the command line's seats: one letter a player, p a person here, c the computer,
// s the strong computer, n a person on the network; the bankrupt card out; the seats named
// "ผู้เล่น:N". Returns the network seats.
QList<int> setUpSeats(GameState& state, const QString& letters);

}  // namespace kroda
