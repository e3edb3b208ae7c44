#pragma once
// The message box of a file that cannot be used. Its text names files and folders that anyone
// may have named, so it is always shown as plain text, never as markup.

#include <QString>

class QMessageBox;

namespace kroda::widgets {

// A critical box with one OK button, plain text; the caller shows it.
QMessageBox* makeErrorBox(const QString& title, const QString& text);
// Shows it and waits for its answer; only outside the game's own calls.
void showErrorBox(const QString& title, const QString& text);

}  // namespace kroda::widgets
