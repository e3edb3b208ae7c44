#pragma once
// Every money movement of a game with its cause, and every bankruptcy with the cause that led
// to it. A player's money always equals the balance of his entries: the opening money is an
// entry like any other.

#include "rules/payment_cause.h"

#include <optional>
#include <vector>

namespace kroda {

// The bank is party 0; players are 1..4.
inline constexpr Integer kBank = 0;

struct Payment {
    Integer payer = kBank;
    Integer payee = kBank;
    Currency amount;  // what the payer lost and the payee gained; a card may make it negative
    PaymentCause cause = PaymentCause::OpeningMoney;
};

struct BankruptcyRecord {
    Integer player = 0;
    // The cause of the player's last movement of money before he went out; none when he
    // went out without one.
    std::optional<PaymentCause> cause;
};

class PaymentLedger {
  public:
    // A new game: no payments, no bankruptcies.
    void clear();
    void record(Integer payer, Integer payee, Currency amount, PaymentCause cause);
    void recordBankruptcy(Integer player);
    // Replaces every entry with saved ones; the balances follow them.
    void restore(std::vector<Payment> payments, std::vector<BankruptcyRecord> bankruptcies);

    const std::vector<Payment>& payments() const { return payments_; }
    const std::vector<BankruptcyRecord>& bankruptcies() const { return bankruptcies_; }

    // What the entries gave the party, less what they took from it.
    Currency balance(Integer party) const;
    // The cause of the party's latest entry, as payer or payee.
    std::optional<PaymentCause> lastCause(Integer party) const;

  private:
    std::vector<Payment> payments_;
    std::vector<BankruptcyRecord> bankruptcies_;
    // Kept as the entries arrive, so that asking after every event stays cheap.
    Currency balances_[5];
};

}  // namespace kroda
