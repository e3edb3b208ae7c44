#pragma once
// The program's file dialogs and the writing of a save file. A dialog is shown with open(),
// never run: its answer comes later, once, through a callback; an empty name means it was
// cancelled.

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class QFileDialog;
class QWidget;

namespace kroda::widgets {

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    QString title;
    QString filter;  // as the game writes it: "Name|*.a;*.b"
    QString folder;  // created when it is missing
    QString preselected;
};

// Shows the dialog window-modal to `parent` and returns it; `answer` runs once it is answered.
QFileDialog* showFileDialog(QWidget* parent, const FileDialogRequest& request,
                            std::function<void(const QString& file)> answer);

// A chosen save file's name, with ".Sav" added when it has not got that ending.
QString withSaveSuffix(const QString& file);
// Writes `bytes` into `path` atomically; returns "FILE: what is wrong" on failure.
std::optional<QString> writeWhole(const QString& path, const QByteArray& bytes);

}  // namespace kroda::widgets
