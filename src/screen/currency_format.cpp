#include "screen/currency_format.h"

#include <algorithm>

namespace kroda {

const CurrencyFormat& CurrencyFormats::of(const QLocale& locale) {
    if (ready_ && locale_ == locale)
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
    locale_ = locale;
    ready_ = true;
    return format_;
}

}  // namespace kroda
