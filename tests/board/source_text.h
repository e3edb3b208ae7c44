#pragma once
// Board sources made from the default board by changing some of its lines.

#include "support/fixture_board.h"

#include <QStringList>

namespace kroda {

class SourceText {
  public:
    SourceText() : lines_(fixture::defaultBoardSource().split(QLatin1Char('\n'))) {}

    // The 1-based line of the first line starting with the prefix, 0 when none.
    int lineOf(const QString& prefix) const {
        for (int i = 0; i < lines_.size(); ++i) {
            if (lines_[i].startsWith(prefix))
                return i + 1;
        }
        return 0;
    }
    // Replaces the first line starting with the prefix; returns its line number.
    int replace(const QString& prefix, const QString& line) {
        const int n = lineOf(prefix);
        if (n > 0)
            lines_[n - 1] = line;
        return n;
    }
    int remove(const QString& prefix) { return replace(prefix, QString()); }
    void append(const QString& line) { lines_ << line; }
    // The n-th (from 0) line starting with the prefix, for the cards.
    int nth(const QString& prefix, int n) const {
        for (int i = 0; i < lines_.size(); ++i) {
            if (lines_[i].startsWith(prefix) && n-- == 0)
                return i + 1;
        }
        return 0;
    }
    void setLine(int n, const QString& line) { lines_[n - 1] = line; }

    QString text() const { return lines_.join(QLatin1Char('\n')); }
    QByteArray utf8() const { return text().toUtf8(); }

  private:
    QStringList lines_;
};

}  // namespace kroda
