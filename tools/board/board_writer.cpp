#include "board/board_writer.h"

#include "model/board_paths.h"
#include "model/card_file.h"
#include "model/game_files.h"
#include "model/windows874.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>
#include <cstdio>

namespace kroda {

namespace {

QString quotedItem(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

}  // namespace

QByteArray configurationBytes(const BoardSource& source) {
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    for (const QString* item : {&source.mark, &source.corners, &source.sides, &source.illustrations,
                                &source.treasureFile, &source.fortuneFile, &source.spare})
        text += quotedItem(*item) + crlf;
    for (const SourceSquare& sq : source.squares) {
        QStringList items{quotedItem(sq.name), QString::number(sq.kind), sq.price.toPlainText(),
                          sq.houseCost.toPlainText(), sq.hotelCost.toPlainText()};
        for (const Currency& rent : sq.rents) items << rent.toPlainText();
        items << QString::number(sq.holder) << QString::number(sq.cell);
        text += items.join(QLatin1Char(',')) + crlf;
    }
    return encodeWindows874(text).bytes;
}

QByteArray cardFileBytes(const std::vector<SourceCard>& deck) {
    QByteArray bytes;
    for (const SourceCard& card : deck)
        bytes += encodeCardRecord(encodeWindows874(card.text).bytes, card.action, card.amount);
    return bytes;
}

QStringList writeBoardFiles(const BoardSource& source, const QString& outDir) {
    struct Output {
        QString path;
        QByteArray bytes;
        QString temporary;
    };
    std::vector<Output> outputs = {
        {boardFile(outDir), configurationBytes(source), {}},
        {outDir + QLatin1Char('/') + boardNameToRelativePath(source.treasureFile),
         cardFileBytes(source.treasure),
         {}},
        {outDir + QLatin1Char('/') + boardNameToRelativePath(source.fortuneFile),
         cardFileBytes(source.fortune),
         {}},
    };
    QStringList errors;
    const QString suffix = QStringLiteral(".tmp-%1").arg(::getpid());
    // Refuse before anything is written what a rename could not replace.
    for (const Output& out : outputs) {
        if (QFileInfo(out.path).isDir())
            errors << QStringLiteral("%1: a folder stands where the file goes").arg(out.path);
    }
    for (Output& out : outputs) {
        if (!errors.isEmpty())
            break;
        const QString folder = QFileInfo(out.path).absolutePath();
        if (!QDir().mkpath(folder)) {
            errors << QStringLiteral("%1: the folder cannot be made").arg(folder);
            break;
        }
        out.temporary = out.path + suffix;
        QFile file(out.temporary);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(out.bytes) != out.bytes.size() || !file.flush()) {
            errors << QStringLiteral("%1: cannot be written: %2").arg(out.path, file.errorString());
            break;
        }
    }
    if (errors.isEmpty()) {
        for (const Output& out : outputs) {
            if (std::rename(QFile::encodeName(out.temporary).constData(),
                            QFile::encodeName(out.path).constData()) != 0) {
                errors << QStringLiteral("%1: cannot be replaced").arg(out.path);
                break;
            }
        }
    }
    for (const Output& out : outputs) {
        if (!out.temporary.isEmpty())
            QFile::remove(out.temporary);
    }
    return errors;
}

}  // namespace kroda
