#pragma once
// The message box of a file that cannot be used. Its text names files and folders that anyone
// may have named, so it is always shown as plain text, never as markup.

#include <QString>

class QMessageBox;

namespace kroda::widgets {

// A critical box with one OK button, plain text; the caller shows it.
QMessageBox* makeErrorBox(const QString& title, const QString& text);
// A file the program cannot use, as every one is reported: its line on stderr and, when a
// person is there to answer it, in the box, which this waits for; only outside the game's
// own calls. The caller then ends with status 1.
void reportFault(const QString& line, bool box);

}  // namespace kroda::widgets
