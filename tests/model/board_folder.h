#pragma once
// A temporary folder holding the default board, whose configuration file a test rewrites
// line by line to make the case it checks.

#include "board/board_source.h"
#include "model/board_reader.h"
#include "model/windows874.h"
#include "support/fixture_board.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kroda {

class BoardFolder {
  public:
    BoardFolder() { EXPECT_TRUE(fixture::makeBoardFolder(dir(), fixture::defaultBoardSource())); }

    QString dir() const { return tmp_.path(); }
    QString path(const QString& name) const { return tmp_.filePath(name); }

    // The lines of KovarT.dat: 0 to 6 the file items, 7 + i the square of index i.
    QStringList lines() const {
        QFile f(path(QStringLiteral("KovarT.dat")));
        f.open(QIODevice::ReadOnly);
        QStringList out = decodeWindows874(f.readAll()).split(QStringLiteral("\r\n"));
        if (!out.isEmpty() && out.last().isEmpty())
            out.removeLast();
        return out;
    }
    void writeLines(const QStringList& lines, const QString& eol = QStringLiteral("\r\n")) const {
        const Encoded874 enc = encodeWindows874(lines.join(eol) + eol);
        ASSERT_TRUE(enc.ok());
        writeBytes(QStringLiteral("KovarT.dat"), enc.bytes);
    }
    // Rewrites one line of KovarT.dat.
    void setLine(int n, const QString& text) const {
        QStringList l = lines();
        l[n] = text;
        writeLines(l);
    }
    void writeBytes(const QString& name, const QByteArray& bytes) const {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    BoardReadResult read(bool bankruptCardOn = false) const {
        return readBoard(fixture::boardFolderLocation(dir()), bankruptCardOn);
    }

  private:
    QTemporaryDir tmp_;
};

// The default board as its source states it.
inline BoardSource defaultSource() {
    const SourceParseResult r =
        parseBoardSource(fixture::defaultBoardSource().toUtf8(), QStringLiteral("default"));
    EXPECT_TRUE(r.source) << r.errors.join(QLatin1Char('\n')).toStdString();
    return r.source.value_or(BoardSource{});
}

// Every problem of a reading, one a line.
inline QString problemText(const BoardReadResult& r) {
    QStringList out;
    for (const BoardProblem& p : r.problems) out << p.text();
    return out.join(QLatin1Char('\n'));
}

}  // namespace kroda
