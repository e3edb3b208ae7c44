#pragma once
// Why money moves: one notion of cause for the ledger of payments and for the record of how
// each player went bankrupt.

#include "model/value_types.h"

namespace kroda {

enum class PaymentCause : Integer {
    OpeningMoney = 0,  // the money every player starts the game with
    StartMoney = 1,    // reaching or passing the start square
    Rent = 2,
    Purchase = 3,  // a plot, a hotel or one of the pair
    Building = 4,  // a house or the hotel on one's own plot
    Tax = 5,
    Fine = 6,           // the go-to-jail square's fine
    CardPay = 7,        // a card that takes money
    CardGain = 8,       // a card that gives money
    LoseAll = 9,        // a fortune card that takes all one's money
    BankruptCard = 10,  // the built-in bankrupt card of the second deck
    Adjustment = 11,    // money set by hand, outside the rules (the headless driver's set)
};

inline constexpr int kPaymentCauseCount = 12;

// The cause's name in reports: "opening", "startMoney", "rent", "purchase", "building",
// "tax", "fine", "cardPay", "cardGain", "loseAll", "bankruptCard", "adjustment".
const char* causeName(PaymentCause cause);

}  // namespace kroda
