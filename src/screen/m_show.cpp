// Money as the player sees it: in the currency format of the game's locale, worked out once
// and kept until the locale changes.
#include "game/game.h"

#include <QStringBuilder>

#include <algorithm>

namespace kroda {

const Game::CurrencyFormat& Game::currencyFormat() const {
    if (formatReady_ && formatLocale_ == locale)
        return format_;
    CurrencyFormat f;
    if (locale.language() == QLocale::C) {
        // The C and POSIX locales have no currency style: the game's own baht format.
        f.numbers = QLocale(QLocale::Thai, QLocale::Thailand);
        f.decimals = 2;
        f.decimalPoint = QStringLiteral(".");
        f.positivePrefix = QStringLiteral("฿");
        f.negativePrefix = QStringLiteral("-฿");
    } else {
        // The locale formats whole numbers exactly; its currency pattern (symbol, sign, the
        // number of decimals) is read off the renderings of a few small values.
        f.numbers = locale;
        f.decimalPoint = locale.decimalPoint();
        const QString zeroWhole = locale.toCurrencyString(qlonglong(0));
        const QString zeroDecimal = locale.toCurrencyString(0.0);
        const int extra = static_cast<int>(zeroDecimal.size() - zeroWhole.size());
        f.decimals = extra > 0 ? std::max(0, extra - static_cast<int>(f.decimalPoint.size())) : 0;
        f.decimals = std::min(f.decimals, 4);
        const auto split = [&](const QString& rendering, qlonglong magnitude, QString& prefix,
                               QString& suffix) {
            const QString digits = locale.toString(magnitude);
            const auto at = rendering.indexOf(digits);
            if (at < 0) {
                prefix = locale.currencySymbol();
                return;
            }
            prefix = rendering.left(at);
            suffix = rendering.mid(at + digits.size());
        };
        split(zeroWhole, 0, f.positivePrefix, f.positiveSuffix);
        split(locale.toCurrencyString(qlonglong(-7)), 7, f.negativePrefix, f.negativeSuffix);
    }
    f.numbers.setNumberOptions(f.numbers.numberOptions() & ~QLocale::OmitGroupSeparator);
    f.fractionNumbers = f.numbers;
    f.fractionNumbers.setNumberOptions(QLocale::OmitGroupSeparator);
    f.zero = f.fractionNumbers.toString(qlonglong(0));
    format_ = f;
    formatLocale_ = locale;
    formatReady_ = true;
    return format_;
}

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
    const CurrencyFormat& f = currencyFormat();
    const auto found = f.texts.constFind(amount.raw());
    if (found != f.texts.constEnd())
        return *found;
    if (f.texts.size() >= 4096)
        f.texts.clear();
    return *f.texts.insert(amount.raw(), formatMoney(f, amount));
}

}  // namespace kroda
