#include "game/save_paths.h"

#include "game/save_format.h"
#include "model/game_files.h"
#include "model/message_text.h"
#include "model/regular_file.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <sys/stat.h>

namespace kroda::save {

namespace {

bool within(const QString& path, const QString& folder) {
    if (folder.isEmpty())
        return false;
    if (path == folder)
        return true;
    return path.startsWith(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
}

QString parentOf(const QString& path) {
    return QFileInfo(path).path();
}

// Anything at all under the name, a link to nothing included.
bool entryExists(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

// The folder nearest above `path` that holds a board; empty for none.
QString boardFolderOf(const QString& path) {
    QString folder = parentOf(path);
    for (;;) {
        if (QFileInfo(boardFile(folder)).isFile())
            return folder;
        const QString up = parentOf(folder);
        if (up == folder)
            return {};
        folder = up;
    }
}

// The installed game's folder links its data (Image, RsCommon, KovarT.dat, ...) to where the
// system keeps them, each to an entry of its own name: a link at the top of the game folder
// that leads to an entry of its own name is the game's own, and `real` may lie inside it.
bool throughDataLink(const QString& full, const QString& real, const QString& appFolder) {
    const QString first = full.mid(appFolder.size() + 1).section(QLatin1Char('/'), 0, 0);
    const QFileInfo top(appFolder + QLatin1Char('/') + first);
    if (first.isEmpty() || !top.isSymLink())
        return false;
    const QString target = top.canonicalFilePath();
    return !target.isEmpty() && QFileInfo(target).fileName() == first && within(real, target);
}

}  // namespace

SavedPaths::SavedPaths(const QString& appFolder, SaveSource source)
    : appFolder_(appFolder), source_(source) {}

SavedPaths::Judged SavedPaths::judge(const QString& stored, PathKind kind) {
    Judged out;
    // The name could not be shown in the message either.
    if (holdsControlCharacter(stored)) {
        out.fault = QStringLiteral("the name holds a control character");
        return out;
    }
    out.path = absolutePath(stored, appFolder_);
    if (kind == PathKind::Origin)
        return out;
    if (stored.isEmpty()) {
        if (kind == PathKind::Folder)
            out.fault = QStringLiteral("names no folder");
        return out;
    }
    const QString quoted = QLatin1Char('"') + stored + QLatin1Char('"');
    const bool inGameFolder = stored.startsWith(QLatin1String(kAppPrefix));
    if (source_ == SaveSource::Host && kind == PathKind::Music)
        out.fault = quoted + QStringLiteral(": a host's music file is never opened");
    else if (source_ == SaveSource::Host && !inGameFolder)
        out.fault = quoted + QStringLiteral(": a host names only files of the game folder (%1...)")
                                 .arg(QLatin1String(kAppPrefix));
    else
        out.fault = judgeFull(out.path, quoted, kind, inGameFolder);
    return out;
}

std::optional<QString> SavedPaths::judgeFound(const QString& path) {
    return judgeFull(path, QLatin1Char('"') + path + QLatin1Char('"'), PathKind::File,
                     within(path, appFolder_));
}

std::optional<QString> SavedPaths::judgeFull(const QString& full, const QString& quoted,
                                             PathKind kind, bool inGameFolder) {
    // The game folder is the program's own, and may be given as it likes; the rest of the
    // path is the save's.
    if (!inGameFolder && !full.startsWith(QLatin1Char('/')))
        return quoted + QStringLiteral(" is neither of the game folder (%1...) nor a full path")
                            .arg(QLatin1String(kAppPrefix));
    const QString own = inGameFolder ? full.mid(appFolder_.size() + 1) : full;
    if (own.split(QLatin1Char('/')).contains(QStringLiteral("..")))
        return quoted + QStringLiteral(": a \"..\" part leads out of its folder");

    QString root;
    if (inGameFolder) {
        root = appFolder_;
    } else if (kind != PathKind::Music) {
        const QString board = boardFolderOf(full);
        if (board.isEmpty())
            return quoted + QStringLiteral(
                                " lies neither in the game folder nor in a board folder (a folder "
                                "that holds KovarT.dat)");
        if (boardFolder_.isEmpty())
            boardFolder_ = board;
        else if (board != boardFolder_)
            return quoted + QStringLiteral(" lies in the board folder %1, not in %2, the save's")
                                .arg(board, boardFolder_);
        root = board;
    }

    // The deepest part of the path that exists: what a link there leads to is where the path
    // leads.
    QString existing = full;
    while (!entryExists(existing)) {
        const QString up = parentOf(existing);
        if (up == existing)
            break;
        existing = up;
    }
    if (!root.isEmpty()) {
        if (!within(existing, root))
            return std::nullopt;  // the folder itself is missing: nothing in it is opened
        const QString real = QFileInfo(existing).canonicalFilePath();
        if (real.isEmpty())
            return quoted + QStringLiteral(" leads through a link to nothing or a link loop");
        const bool inside = within(real, QFileInfo(root).canonicalFilePath()) ||
                            (inGameFolder && throughDataLink(full, real, appFolder_));
        if (!inside)
            return quoted +
                   QStringLiteral(" leads out of %1 through a link, to %2").arg(root, real);
    }
    if (existing != full)
        return std::nullopt;  // missing: the windows say so when they load their pictures
    struct stat st {};
    if (::stat(QFile::encodeName(full).constData(), &st) != 0)
        return std::nullopt;  // music behind a link to nothing, which the music refuses
    if (kind == PathKind::Folder) {
        if (!S_ISDIR(st.st_mode))
            return quoted + QStringLiteral(": it is not a folder");
    } else if (!S_ISREG(st.st_mode)) {
        return quoted + QStringLiteral(": ") + notRegularFileReason(st.st_mode);
    }
    return std::nullopt;
}

}  // namespace kroda::save
