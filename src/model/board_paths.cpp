#include "model/board_paths.h"

#include "model/message_text.h"
#include "model/regular_file.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace kroda {

namespace {

QStringList nameParts(const QString& name) {
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    QStringList parts = name.split(separators, Qt::SkipEmptyParts);
    parts.removeAll(QStringLiteral("."));
    return parts;
}

}  // namespace

QString boardNameProblem(const QString& name) {
    if (name.isEmpty())
        return QStringLiteral("no file name is given");
    // The system would stop the name at a NUL and find another file.
    if (holdsControlCharacter(name))
        return QStringLiteral("the name holds a control character");
    if (name.size() >= 2 && name[1] == QLatin1Char(':') && name[0].unicode() < 128 &&
        name[0].isLetter())
        return QStringLiteral(
                   "the drive-letter path \"%1\" is refused: a board names its files inside "
                   "its own folder")
            .arg(name);
    if (name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('\\')))
        return QStringLiteral(
                   "the absolute path \"%1\" is refused: a board names its files inside its "
                   "own folder")
            .arg(name);
    const QStringList parts = nameParts(name);
    if (parts.contains(QStringLiteral("..")))
        return QStringLiteral("the path \"%1\" is refused: it leaves the board's folder").arg(name);
    if (parts.isEmpty())
        return QStringLiteral("\"%1\" names no file").arg(name);
    return {};
}

QString boardNameToRelativePath(const QString& name) {
    return nameParts(name).join(QLatin1Char('/'));
}

QString ResolvedPath::describe(const QString& name) const {
    return QLatin1Char('"') + name + (missing ? QStringLiteral("\" ") : QStringLiteral("\": ")) +
           error;
}

ResolvedPath resolveBoardPath(const QString& folder, const QString& name) {
    ResolvedPath out;
    out.error = boardNameProblem(name);
    if (!out.ok())
        return out;
    const QStringList parts = nameParts(name);
    QString current = folder.isEmpty() ? QStringLiteral(".") : folder;
    for (const QString& part : parts) {
        const QString exact = joinPath(current, part);
        // A symbolic-link loop does not exist for QFileInfo; the reader names it.
        if (QFileInfo::exists(exact) || QFileInfo(exact).isSymLink()) {
            current = exact;
            continue;
        }
        const QFileInfo folderInfo(current);
        if (!folderInfo.isDir()) {
            out.error = folderInfo.exists() || folderInfo.isSymLink()
                            ? QStringLiteral("%1 is not a folder").arg(current)
                            : QStringLiteral("the folder %1 is missing").arg(current);
            return out;
        }
        if (!folderInfo.isReadable()) {
            out.error =
                QStringLiteral("the folder %1 cannot be read: permission denied").arg(current);
            return out;
        }
        const QStringList entries = QDir(current).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        QString match;
        for (const QString& entry : entries) {
            if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                match = entry;
                break;
            }
        }
        if (match.isEmpty()) {
            out.missing = true;
            out.error =
                parts.size() == 1
                    ? QStringLiteral("not found in %1").arg(current)
                    : QStringLiteral("not found: nothing named \"%1\" in %2").arg(part, current);
            return out;
        }
        current = joinPath(current, match);
    }
    out.path = current;
    return out;
}

}  // namespace kroda
