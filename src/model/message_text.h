#pragma once
// Texts from files end up in messages on a terminal or in a message box. A control character
// there would cut the message (a NUL), break its line or move the cursor, so messages show
// every control character as an escape instead: "\0", "\n", "\x1B".

#include <QString>

namespace kroda {

bool isControlCharacter(QChar c);
bool holdsControlCharacter(const QString& text);
// The text with each control character written as an escape, and nothing else changed.
QString escapeControls(const QString& text);

}  // namespace kroda
