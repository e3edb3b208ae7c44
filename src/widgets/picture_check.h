#pragma once
// Whether the pictures a window needs can be loaded, and if not, which one and why.

#include <QString>
#include <QStringList>

#include <optional>

namespace kroda::widgets {

// The first file that is missing or is no picture that can be read, named with what is
// wrong with it; nothing when every one loads.
std::optional<QString> pictureProblem(const QStringList& files);

}  // namespace kroda::widgets
