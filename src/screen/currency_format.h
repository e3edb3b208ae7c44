#pragma once
// The currency format MShow writes money in, derived from a locale once and kept until the
// locale changes.

#include <QHash>
#include <QLocale>
#include <QString>

namespace kroda {

struct CurrencyFormat {
    QLocale numbers;
    QLocale fractionNumbers;  // `numbers` without group separators
    QString zero;             // the digit 0 as `numbers` writes it
    int decimals = 2;
    QString decimalPoint;
    QString positivePrefix, positiveSuffix, negativePrefix, negativeSuffix;
    // The texts already made in this format: the same amounts are shown again and again.
    mutable QHash<qint64, QString> texts;
};

// The format of the last locale asked for.
class CurrencyFormats {
  public:
    const CurrencyFormat& of(const QLocale& locale);

  private:
    QLocale locale_;
    CurrencyFormat format_;
    bool ready_ = false;
};

}  // namespace kroda
