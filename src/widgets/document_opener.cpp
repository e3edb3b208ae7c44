#include "widgets/document_opener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace kroda::widgets {

bool openDocument(const QString& path) {
    if (!QFileInfo(path).isFile())
        return false;
    const QString handler = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (handler.isEmpty())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    QProcess process;
    process.setProgram(handler);
    process.setArguments({QUrl::fromLocalFile(path).toString()});
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

}  // namespace kroda::widgets
