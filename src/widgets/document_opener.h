#pragma once
// Opens a document, such as the manual, with the desktop's handler for it, without waiting.
// A missing document is ignored; the handler's own complaints (no browser on the machine,
// say) are its business and stay out of the game's output.

#include <QString>

namespace kroda::widgets {

// False, having started nothing, when there is no file at `path`.
bool openDocument(const QString& path);

}  // namespace kroda::widgets
