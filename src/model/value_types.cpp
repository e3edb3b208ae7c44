#include "model/value_types.h"

namespace kroda {

std::optional<Currency> Currency::parse(const QString& text) {
    const QString s = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+'))) {
        negative = s[i] == QLatin1Char('-');
        ++i;
    }
    constexpr std::int64_t kMaxUnits = Currency::kLimitUnits;
    std::int64_t whole = 0;
    int wholeDigits = 0;
    for (; i < s.size() && s[i].isDigit() && s[i].unicode() < 128; ++i, ++wholeDigits) {
        const int d = s[i].unicode() - '0';
        if (whole > (kMaxUnits - d) / 10)
            return std::nullopt;
        whole = whole * 10 + d;
    }
    std::int64_t fraction = 0;
    int fractionDigits = 0;
    if (i < s.size() && s[i] == QLatin1Char('.')) {
        for (++i; i < s.size() && s[i].isDigit() && s[i].unicode() < 128; ++i) {
            if (++fractionDigits > 4)
                return std::nullopt;
            fraction = fraction * 10 + (s[i].unicode() - '0');
        }
    }
    if (i != s.size() || wholeDigits + fractionDigits == 0)
        return std::nullopt;
    for (int k = fractionDigits; k < 4; ++k) fraction *= 10;
    const std::int64_t raw = whole * kScale + fraction;
    if (raw > limit().raw())
        return std::nullopt;
    return fromRaw(negative ? -raw : raw);
}

QString Currency::toPlainText() const {
    const bool negative = raw_ < 0;
    // Work in unsigned so that the most negative value still prints.
    const std::uint64_t magnitude =
        negative ? ~static_cast<std::uint64_t>(raw_) + 1 : static_cast<std::uint64_t>(raw_);
    QString out = QString::number(magnitude / kScale);
    std::uint64_t fraction = magnitude % kScale;
    if (fraction != 0) {
        QString digits = QString::number(fraction).rightJustified(4, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0'))) digits.chop(1);
        out += QLatin1Char('.') + digits;
    }
    return negative ? QLatin1Char('-') + out : out;
}

}  // namespace kroda
