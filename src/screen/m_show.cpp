// Money as the player sees it: in the currency format of the game's locale.
#include "game/game.h"
#include "screen/currency_format.h"

#include <QStringBuilder>

namespace kroda {

namespace {

template <typename Format>
QString formatMoney(const Format& f, Currency amount) {
    const std::int64_t raw = amount.raw();
    const bool negative = raw < 0;
    std::uint64_t magnitude =
        negative ? ~static_cast<std::uint64_t>(raw) + 1 : static_cast<std::uint64_t>(raw);
    // Round half away from zero to the locale's decimals, in whole integers.
    std::uint64_t scale = 1;
    for (int k = f.decimals; k < 4; ++k) scale *= 10;
    magnitude = (magnitude + scale / 2) / scale;
    std::uint64_t unit = 1;
    for (int k = 0; k < f.decimals; ++k) unit *= 10;
    const auto whole = static_cast<qlonglong>(magnitude / unit);
    QString number = f.numbers.toString(whole);
    if (f.decimals > 0) {
        // Whole amounts, the usual ones, need only the padding zeros.
        const auto cents = static_cast<qlonglong>(magnitude % unit);
        QString fraction = cents == 0 ? QString() : f.fractionNumbers.toString(cents);
        while (fraction.size() < f.decimals * f.zero.size()) fraction.prepend(f.zero);
        number += f.decimalPoint % fraction;
    }
    if (negative && magnitude != 0)
        return f.negativePrefix % number % f.negativeSuffix;
    return f.positivePrefix % number % f.positiveSuffix;
}

}  // namespace

QString Game::MShow(Currency amount) const {
    const CurrencyFormat& f = currencyFormats_.of(locale);
    const auto found = f.texts.constFind(amount.raw());
    if (found != f.texts.constEnd())
        return *found;
    if (f.texts.size() >= 4096)
        f.texts.clear();
    return *f.texts.insert(amount.raw(), formatMoney(f, amount));
}

}  // namespace kroda
