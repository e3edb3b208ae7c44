#include "widgets/file_dialogs.h"

#include "widgets/real_port.h"

#include <QDir>
#include <QFileDialog>
#include <QSaveFile>

#include <memory>

namespace kroda::widgets {

QFileDialog* showFileDialog(QWidget* parent, const FileDialogRequest& request,
                            std::function<void(const QString& file)> answer) {
    if (!request.folder.isEmpty())
        QDir().mkpath(request.folder);
    auto* dialog =
        new QFileDialog(parent, request.title, request.folder, qtFileFilter(request.filter));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    if (request.kind == FileDialogKind::Save) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(QFileDialog::ExistingFile);
    }
    if (!request.preselected.isEmpty())
        dialog->selectFile(request.preselected);
    // The dialog answers once, by whichever signal comes first.
    auto pending = std::make_shared<std::function<void(const QString&)>>(std::move(answer));
    const auto reply = [pending](const QString& file) {
        if (!*pending)
            return;
        auto f = std::move(*pending);
        *pending = {};
        f(file);
    };
    QObject::connect(dialog, &QFileDialog::fileSelected, dialog, reply);
    QObject::connect(dialog, &QDialog::rejected, dialog, [reply] { reply(QString()); });
    dialog->open();
    return dialog;
}

QString withSaveSuffix(const QString& file) {
    if (file.isEmpty() || file.endsWith(QStringLiteral(".Sav"), Qt::CaseInsensitive))
        return file;
    return file + QStringLiteral(".Sav");
}

std::optional<QString> writeWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        return path + QStringLiteral(": ") + out.errorString();
    return std::nullopt;
}

}  // namespace kroda::widgets
