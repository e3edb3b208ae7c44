#include "rules/payment_ledger.h"

#include <utility>

namespace kroda {

namespace {

bool isParty(Integer party) {
    return party >= kBank && party <= 4;
}

}  // namespace

const char* causeName(PaymentCause cause) {
    switch (cause) {
        case PaymentCause::OpeningMoney:
            return "opening";
        case PaymentCause::StartMoney:
            return "startMoney";
        case PaymentCause::Rent:
            return "rent";
        case PaymentCause::Purchase:
            return "purchase";
        case PaymentCause::Building:
            return "building";
        case PaymentCause::Tax:
            return "tax";
        case PaymentCause::Fine:
            return "fine";
        case PaymentCause::CardPay:
            return "cardPay";
        case PaymentCause::CardGain:
            return "cardGain";
        case PaymentCause::LoseAll:
            return "loseAll";
        case PaymentCause::BankruptCard:
            return "bankruptCard";
        case PaymentCause::Adjustment:
            return "adjustment";
    }
    return "";
}

void PaymentLedger::clear() {
    payments_.clear();
    bankruptcies_.clear();
    for (Currency& b : balances_) b = Currency{};
    // A long game moves money a few thousand times; growing once or twice is enough.
    payments_.reserve(1024);
}

void PaymentLedger::record(Integer payer, Integer payee, Currency amount, PaymentCause cause) {
    payments_.push_back(Payment{payer, payee, amount, cause});
    if (isParty(payee))
        balances_[payee] += amount;
    if (isParty(payer))
        balances_[payer] -= amount;
}

void PaymentLedger::recordBankruptcy(Integer player) {
    bankruptcies_.push_back(BankruptcyRecord{player, lastCause(player)});
}

void PaymentLedger::restore(std::vector<Payment> payments,
                            std::vector<BankruptcyRecord> bankruptcies) {
    clear();
    payments_ = std::move(payments);
    bankruptcies_ = std::move(bankruptcies);
    for (const Payment& p : payments_) {
        if (isParty(p.payee))
            balances_[p.payee] += p.amount;
        if (isParty(p.payer))
            balances_[p.payer] -= p.amount;
    }
}

Currency PaymentLedger::balance(Integer party) const {
    return isParty(party) ? balances_[party] : Currency{};
}

std::optional<PaymentCause> PaymentLedger::lastCause(Integer party) const {
    for (auto it = payments_.rbegin(); it != payments_.rend(); ++it) {
        if (it->payer == party || it->payee == party)
            return it->cause;
    }
    return std::nullopt;
}

}  // namespace kroda
